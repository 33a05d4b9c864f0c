// The program's own path and entering a folder through the wide (UTF-16) functions, so
// that names outside the ANSI code page work; paths are converted from and to UTF-8.
#include "platform/files/own_location.h"

#include <cwchar>
#include <vector>

#include "platform/files/utf16_win32.h"  // windows.h, which shellapi.h needs first

#include <shellapi.h>

namespace quintaval {

std::string runningExecutable() {
  // A path longer than the buffer is cut to its size without saying how long it is:
  // the buffer grows until the path fits (32767 characters at most).
  for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
    std::vector<wchar_t> path(size);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
    if (length == 0) return std::string();
    if (length < size) return narrow(path.data(), length);
  }
  return std::string();
}

std::vector<std::string> programArguments(int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return arguments;
  if (count == argc) {
    for (int i = 0; i < count; ++i) arguments[static_cast<std::size_t>(i)] = narrow(wide[i], std::wcslen(wide[i]));
  }
  LocalFree(wide);
  return arguments;
}

bool enterFolder(const std::string& utf8Path) {
  const std::wstring path = widen(utf8Path);
  return !path.empty() && SetCurrentDirectoryW(path.c_str()) != FALSE;
}

}  // namespace quintaval
