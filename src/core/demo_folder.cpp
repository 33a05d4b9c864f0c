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

namespace {

// Lexically: the executable's path is already resolved, and "bin/.." must not need bin/.
// Paths are UTF-8 (on Windows a plain std::string would be read in the ANSI code page).
fs::path pathBeside(const std::string& executable, const std::string& fromBin) {
  return (fs::u8path(executable).parent_path() / fs::u8path(fromBin)).lexically_normal();
}

}  // namespace

std::string missingDataMessage(const std::string& folder, const std::string& dataOption,
                               const std::string& executable) {
  std::error_code error;
  if (fs::is_directory(fs::u8path(folder.empty() ? "." : folder) / "Data", error)) return std::string();
  std::string looked;
  if (!dataOption.empty()) {
    looked = fs::absolute(fs::u8path(dataOption), error).lexically_normal().u8string();
  } else {
    looked = fs::current_path(error).u8string();
    if (!executable.empty()) looked += " or " + pathBeside(executable, QV_INSTALLED_DEMO_FROM_BIN).u8string();
  }
  return "no Data/ folder in " + looked + "; --data DIR names the folder that holds a demo's Data/";
}

std::string installedBeside(const std::string& executable, const std::string& fromBin, const std::string& entry) {
  if (executable.empty()) return std::string();
  const fs::path installed = pathBeside(executable, fromBin);
  std::error_code error;
  return fs::is_directory(installed / fs::u8path(entry), error) ? installed.u8string() : std::string();
}

}  // namespace quintaval
