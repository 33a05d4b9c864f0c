// Fuzzer for the overlay text script, through to the glyph quads the overlay draws for each
// line at the line's size and the script's placement (any int the script gives).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/glyph_mesh.h"
#include "text/text_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quintaval;
  TextScript script;
  if (!parseTextScript(std::string(reinterpret_cast<const char*>(data), size), script)) {
    if (!script.lines.empty()) std::abort();
    return 0;
  }
  GlyphMesh mesh;
  for (const TextLine& line : script.lines) {
    if (line.words.empty()) std::abort();
    const std::string text = displayText(line);
    buildGlyphMesh(text, line.words.front().size, script.placementX, script.placementY, mesh);
    if (mesh.positions.size() != mesh.uvs.size() || mesh.positions.size() > 6 * text.size()) {
      std::abort();
    }
  }
  return 0;
}
