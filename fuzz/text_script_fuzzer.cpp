// Fuzzer for the overlay text script, including the display text the overlay draws.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/text_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quintaval;
  TextScript script;
  if (!parseTextScript(std::string(reinterpret_cast<const char*>(data), size), script)) {
    if (!script.lines.empty()) std::abort();
    return 0;
  }
  for (const TextLine& line : script.lines) {
    if (line.words.empty()) std::abort();
    volatile std::size_t length = displayText(line).size();
    (void)length;
  }
  return 0;
}
