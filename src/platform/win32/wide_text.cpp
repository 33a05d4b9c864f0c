// UTF-8 to UTF-16 with MultiByteToWideChar: one call to size the result, one to fill it.
#include "platform/win32/wide_text.h"

#include <windows.h>

namespace quintaval {

std::wstring widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

}  // namespace quintaval
