// Tessellation of a text line into glyph quads. The vertex order of each quad is
// (left, top), (left, bottom), (right, top), (right, bottom), (right, top),
// (left, bottom): two triangles sharing the top-right to bottom-left diagonal.
#include "text/glyph_mesh.h"

#include <cstdint>

namespace quintaval {
namespace {

constexpr int kGridCells = 16;
constexpr float kCellSpan = 1.0f / kGridCells;

}  // namespace

bool glyphCell(unsigned char byte, GlyphCell& cell) {
  // Only the top eight rows of the grid are addressed by a byte read as a signed
  // value; 128 and above would land outside the image.
  if (byte >= 128) return false;
  int column = byte % kGridCells;
  int row = byte / kGridCells;
  cell.u0 = static_cast<float>(column) / kGridCells;
  cell.u1 = cell.u0 + kCellSpan;
  cell.vTop = 1.0f - static_cast<float>(row) / kGridCells;
  cell.vBottom = 1.0f - (static_cast<float>(row) / kGridCells + kCellSpan);
  return true;
}

void buildGlyphMesh(const std::string& text, int size, int placementX, int placementY, GlyphMesh& mesh) {
  mesh.positions.clear();
  mesh.uvs.clear();
  mesh.positions.reserve(text.size() * 6);
  mesh.uvs.reserve(text.size() * 6);
  // 64-bit sums: a script may ask for any int size, and int arithmetic could overflow.
  const auto edge = [](int origin, std::size_t cells, int size) {
    return static_cast<float>(static_cast<std::int64_t>(origin) + static_cast<std::int64_t>(cells) * size);
  };
  const float bottom = static_cast<float>(placementY);
  const float top = edge(placementY, 1, size);
  for (std::size_t i = 0; i < text.size(); ++i) {
    GlyphCell cell;
    if (!glyphCell(static_cast<unsigned char>(text[i]), cell)) continue;
    const float left = edge(placementX, i, size);
    const float right = edge(placementX, i + 1, size);
    mesh.positions.insert(mesh.positions.end(), {{left, top}, {left, bottom}, {right, top},
                                                 {right, bottom}, {right, top}, {left, bottom}});
    mesh.uvs.insert(mesh.uvs.end(), {{cell.u0, cell.vTop}, {cell.u0, cell.vBottom}, {cell.u1, cell.vTop},
                                     {cell.u1, cell.vBottom}, {cell.u1, cell.vTop}, {cell.u0, cell.vBottom}});
  }
}

}  // namespace quintaval
