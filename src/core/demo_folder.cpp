#include "core/demo_folder.h"

#include <filesystem>
#include <system_error>

// QV_INSTALLED_DEMO_FROM_BIN, set by the build from the install layout, leads from the
// install's bin/ folder to the installed sample demo.

namespace quintaval {

namespace fs = std::filesystem;

std::string findDemoFolder(const std::string& dataOption, const std::string& executable) {
  if (!dataOption.empty()) return dataOption;
  std::error_code error;
  if (fs::is_directory("Data", error)) return std::string();
  return installedBeside(executable, QV_INSTALLED_DEMO_FROM_BIN, "Data");
}

std::string installedBeside(const std::string& executable, const std::string& fromBin, const std::string& entry) {
  if (executable.empty()) return std::string();
  // Lexically: the executable's path is already resolved, and "bin/.." must not need bin/.
  // Paths are UTF-8 (on Windows a plain std::string would be read in the ANSI code page).
  const fs::path installed = (fs::u8path(executable).parent_path() / fs::u8path(fromBin)).lexically_normal();
  std::error_code error;
  return fs::is_directory(installed / fs::u8path(entry), error) ? installed.u8string() : std::string();
}

}  // namespace quintaval
