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
  const fs::path installed = (fs::path(executable).parent_path() / fromBin).lexically_normal();
  std::error_code error;
  return fs::is_directory(installed / entry, error) ? installed.string() : std::string();
}

std::string runningExecutable() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : self.string();
}

}  // namespace quintaval
