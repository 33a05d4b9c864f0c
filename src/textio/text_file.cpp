// Whole-file reading with stdio: a read error shows as ferror rather than as an exception
// from a stream.
#include "textio/text_file.h"

#include <sys/stat.h>

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
