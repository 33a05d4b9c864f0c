// The triangles of one line of bitmap-font text, built on the CPU before upload.
//
// Each byte of the text takes one square cell of `size` pixels, left to right from the
// placement (pixels from the lower left corner of the viewport, y upwards). The font
// image is a grid of 16 x 16 glyph cells, row 0 at the top of the image: byte c sits in
// column c % 16 and row c / 16. Bytes of 128 and above have no cell in the grid; they
// keep their place in the line but draw nothing.
#pragma once

#include <string>
#include <vector>

#include "core/math.h"

namespace quintaval {

struct GlyphMesh {
  std::vector<Vec2> positions;  // pixels, six per drawn glyph (two triangles)
  std::vector<Vec2> uvs;        // font texture coordinates, in the same order
};

// Glyph cell of a byte in texture coordinates; false for bytes that have none.
struct GlyphCell {
  float u0 = 0.0f;
  float u1 = 0.0f;
  float vTop = 0.0f;
  float vBottom = 0.0f;
};
bool glyphCell(unsigned char byte, GlyphCell& cell);

// Refills `mesh` with the glyphs of `text` at cell size `size` and the given placement.
void buildGlyphMesh(const std::string& text, int size, int placementX, int placementY, GlyphMesh& mesh);

}  // namespace quintaval
