#include "text/glyph_mesh.h"

#include <gtest/gtest.h>

namespace quintaval {
namespace {

TEST(GlyphMesh, HiThereAtSizeTwentyFromOneHundredFifty) {
  GlyphMesh mesh;
  buildGlyphMesh(" Hi there", 20, 100, 50, mesh);
  ASSERT_EQ(mesh.positions.size(), 9u * 6);
  ASSERT_EQ(mesh.uvs.size(), mesh.positions.size());
  EXPECT_FLOAT_EQ(mesh.positions.front().x, 100.0f);  // the leading space
  EXPECT_FLOAT_EQ(mesh.positions.back().x, 260.0f);
  EXPECT_FLOAT_EQ(mesh.positions[8 * 6 + 2].x, 280.0f);

  // H: cell 1, column 8, row 4 of the grid; (left, top), (left, bottom), (right, top),
  // (right, bottom), (right, top), (left, bottom).
  const Vec2* quad = &mesh.positions[6];
  const Vec2* uv = &mesh.uvs[6];
  const float expectedXY[6][2] = {{120, 70}, {120, 50}, {140, 70}, {140, 50}, {140, 70}, {120, 50}};
  const float expectedUV[6][2] = {{0.5f, 0.75f},    {0.5f, 0.6875f}, {0.5625f, 0.75f},
                                  {0.5625f, 0.6875f}, {0.5625f, 0.75f}, {0.5f, 0.6875f}};
  for (int k = 0; k < 6; ++k) {
    EXPECT_FLOAT_EQ(quad[k].x, expectedXY[k][0]) << k;
    EXPECT_FLOAT_EQ(quad[k].y, expectedXY[k][1]) << k;
    EXPECT_FLOAT_EQ(uv[k].x, expectedUV[k][0]) << k;
    EXPECT_FLOAT_EQ(uv[k].y, expectedUV[k][1]) << k;
  }
}

TEST(GlyphMesh, GridCornersAndBytesOutsideTheGrid) {
  GlyphCell cell;
  ASSERT_TRUE(glyphCell(0, cell));
  EXPECT_FLOAT_EQ(cell.u0, 0.0f);
  EXPECT_FLOAT_EQ(cell.vTop, 1.0f);
  ASSERT_TRUE(glyphCell(127, cell));
  EXPECT_FLOAT_EQ(cell.u1, 1.0f);
  EXPECT_FLOAT_EQ(cell.vBottom, 0.5f);
  EXPECT_FALSE(glyphCell(128, cell));
  EXPECT_FALSE(glyphCell(255, cell));

  // "é" in UTF-8 is two bytes above 127: both cells stay empty, the next glyph keeps
  // its place, and no coordinate leaves the grid.
  GlyphMesh mesh;
  buildGlyphMesh(" \xC3\xA9t\xFF", 10, 0, 0, mesh);
  ASSERT_EQ(mesh.positions.size(), 2u * 6);
  EXPECT_FLOAT_EQ(mesh.positions[6].x, 30.0f);
  for (const Vec2& uv : mesh.uvs) {
    EXPECT_GE(uv.x, 0.0f);
    EXPECT_LE(uv.x, 1.0f);
    EXPECT_GE(uv.y, 0.5f);
    EXPECT_LE(uv.y, 1.0f);
  }
}

}  // namespace
}  // namespace quintaval
