// Conversions between the UTF-8 paths the program uses everywhere and the UTF-16 ones
// the wide Win32 functions take and give. Included by the Windows sources only. Text that
// is not valid UTF-8 or UTF-16 converts to an empty string.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

namespace quintaval {

inline std::wstring widen(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
  return wide;
}

inline std::string narrow(const wchar_t* wide, std::size_t count) {
  if (count == 0) return std::string();
  const int size = static_cast<int>(count);
  const int length = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  if (length > 0) WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace quintaval
