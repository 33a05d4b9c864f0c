// Directory listing on std::filesystem, never throwing: every filesystem call takes an
// error code, and an entry that cannot be examined is skipped.
#include "platform/files/directory_listing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace quintaval {
namespace {

// Letters fold to upper case, as NTFS orders names: "_" (between "Z" and "a") then sorts
// after every letter.
unsigned char foldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c; }

bool endsWithIgnoringCase(const std::string& name, const std::string& suffix) {
  if (name.size() < suffix.size()) return false;
  std::size_t offset = name.size() - suffix.size();
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    if (foldAscii(static_cast<unsigned char>(name[offset + i])) !=
        foldAscii(static_cast<unsigned char>(suffix[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool fileNameLess(const std::string& a, const std::string& b) {
  std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    unsigned char ca = foldAscii(static_cast<unsigned char>(a[i]));
    unsigned char cb = foldAscii(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;  // std::string compares bytes as unsigned char
}

std::vector<std::string> listFilesWithExtension(const std::string& directory,
                                                const std::string& extension) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(fs::path(directory), error);
  if (error) return names;
  for (fs::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    std::string name = it->path().filename().string();
    if (!endsWithIgnoringCase(name, extension)) continue;
    std::error_code statError;
    if (!fs::is_regular_file(it->path(), statError)) continue;
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), fileNameLess);
  return names;
}

}  // namespace quintaval
