// Whole-file reading with stdio: a read error shows as ferror rather than as an exception
// from a stream.
#include "textio/text_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace quintaval {

std::FILE* openRegularFile(const std::string& path, std::size_t& size) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  struct stat status {};
  if (file != nullptr && (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode))) {
    std::fclose(file);
    return nullptr;
  }
  size = file != nullptr ? static_cast<std::size_t>(status.st_size) : 0;
  return file;
}

std::string whyNotReadable(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::strerror(errno);
  struct stat status {};
  const bool statted = fstat(fileno(file), &status) == 0;
  const int statError = errno;
  std::fclose(file);
  if (!statted) return std::strerror(statError);
  if (S_ISDIR(status.st_mode)) return std::strerror(EISDIR);
  return S_ISREG(status.st_mode) ? std::string() : std::string("not a regular file");
}

bool readWholeFile(const std::string& path, std::string& contents) {
  contents.clear();
  std::size_t claimed = 0;
  std::FILE* file = openRegularFile(path, claimed);
  if (file == nullptr) {
    return false;
  }
  char block[16384];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
    contents.append(block, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    contents.clear();
  }
  return !failed;
}

}  // namespace quintaval
