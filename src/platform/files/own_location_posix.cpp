// The program's own path through Linux's /proc/self/exe, and entering a folder with
// chdir(). File names are bytes here, UTF-8 by convention: paths pass through unchanged.
#include "platform/files/own_location.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace quintaval {

std::string runningExecutable() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : self.string();
}

std::vector<std::string> programArguments(int argc, char** argv) { return {argv, argv + argc}; }

bool enterFolder(const std::string& utf8Path) { return chdir(utf8Path.c_str()) == 0; }

}  // namespace quintaval
