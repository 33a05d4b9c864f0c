// The shared code holds text as UTF-8; the Windows API takes UTF-16. widen() converts at
// the call into the API.
#pragma once

#include <string>

namespace quintaval {

// Invalid UTF-8 sequences become U+FFFD rather than failing the whole text.
std::wstring widen(const std::string& utf8);

}  // namespace quintaval
