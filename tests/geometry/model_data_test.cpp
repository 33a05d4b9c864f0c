// Draw data built from parsed faces: vertex layout, fan triangulation, draw ranges by
// group, material and primitive, and the point form.
#include "geometry/model_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry/obj_reader.h"

namespace quintaval {
namespace {

// Two materials "a" and "b" stand at indices 0 and 1; usemtl lines pick them.
ModelData build(const std::string& text) {
  ModelData model;
  model.materials.resize(2);
  model.materials[0].name = "a";
  model.materials[1].name = "b";
  readObjText(text, "", model);
  model.buildDrawData();
  return model;
}

const std::string kRecords = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 2 0\nvt 0.5 0.25\nvn 0 0 1\n";
const std::string kTri = "f 1/1/1 2/1/1 3/1/1\n";
const std::string kQuad = "f 1/1/1 2/1/1 3/1/1 4/1/1\n";

// The eight floats of vertex i: position, texture coordinate, normal.
std::vector<float> vertex(const ModelData& model, int i) {
  return {model.vertexData.begin() + 8 * i, model.vertexData.begin() + 8 * (i + 1)};
}

TEST(DrawData, RangesSplitAtGroupsMaterialsAndPrimitives) {
  const int kT = kPrimitiveTriangles, kQ = kPrimitiveQuads, kF = kPrimitiveTriangleFan;
  const struct {
    std::string faces;
    std::vector<std::vector<int>> ranges;  // primitive, first index, index count, material
  } cases[] = {
      {"usemtl a\n" + kTri + "f 1/1/1 3/1/1 4/1/1\nf 2/1/1 3/1/1 5/1/1\n", {{kT, 0, 9, 0}}},
      {"usemtl a\n" + kTri + "g two\n" + kTri, {{kT, 0, 3, 0}, {kT, 3, 3, 0}}},
      {"usemtl a\n" + kTri + "usemtl b\n" + kTri + "usemtl a\n" + kTri, {{kT, 0, 3, 0}, {kT, 3, 3, 1}, {kT, 6, 3, 0}}},
      {"usemtl a\n" + kTri + kTri + kTri + kTri + "usemtl b\n" + kTri, {{kT, 0, 12, 0}, {kT, 12, 3, 1}}},
      {kTri + kQuad + kTri, {{kT, 0, 3, -1}, {kQ, 3, 6, -1}, {kT, 9, 3, -1}}},
      // Two quads stay one range; a polygon of five corners is three triangles.
      {kQuad + kQuad + "f 1/1/1 2/1/1 3/1/1 4/1/1 5/1/1\n", {{kQ, 0, 12, -1}, {kF, 12, 9, -1}}},
      // Faces of fewer than three corners add nothing.
      {"f 1/1/1 2/1/1\n" + kTri + "f 1/1/1\n", {{kT, 0, 3, -1}}},
  };
  for (const auto& c : cases) {
    const ModelData model = build(kRecords + c.faces);
    std::vector<std::vector<int>> ranges;
    for (const DrawRange& r : model.ranges) ranges.push_back({r.primitive, r.first, r.count, r.material});
    EXPECT_EQ(ranges, c.ranges) << c.faces;
  }
}

TEST(DrawData, EveryCornerIsOneVertexAndPolygonsAreFansAroundTheirFirst) {
  ModelData model = build(kRecords + kTri);
  EXPECT_EQ(model.vertexCount, 3);
  EXPECT_EQ(model.vertexData.size(), 24u);
  EXPECT_EQ(vertex(model, 1), (std::vector<float>{1, 0, 0, 0.5f, 0.25f, 0, 0, 1}));

  // Two quads never join into one polygon: each is its own fan.
  model = build(kRecords + kQuad + kQuad + "f 1/1/1 2/1/1 3/1/1 4/1/1 5/1/1\n");
  EXPECT_EQ(model.vertexCount, 13);
  EXPECT_EQ(model.indexData, (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7, 8,
                                                          9, 10, 8, 10, 11, 8, 11, 12}));

  // Corners without a texture coordinate or normal get zeros.
  model = build(kRecords + "vt 7 7\nvn 9 9 9\nf 1 2/2 3/2/2\n");
  EXPECT_EQ(vertex(model, 0), (std::vector<float>{0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(vertex(model, 1), (std::vector<float>{1, 0, 0, 7, 7, 0, 0, 0}));
}

TEST(DrawData, UnknownMaterialIndicesGiveTheDefaultMaterial) {
  const ModelData model = build(kRecords);
  EXPECT_EQ(model.materialAt(-1).colorKd.x, 1.0f);
  EXPECT_EQ(&model.materialAt(2), &model.materialAt(-1));
  EXPECT_EQ(&model.materialAt(1), &model.materials[1]);
}

TEST(DrawData, ModelsWithPositionsOnlyAreDrawnAsPoints) {
  const ModelData model = build("v 1 2 3\nv 4 5 6\nv 7 8 9\nf 1 2 3\n");
  EXPECT_TRUE(model.drawsAsPoints());
  EXPECT_EQ(model.pointData, (std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_FALSE(build(kRecords).drawsAsPoints());
}

}  // namespace
}  // namespace quintaval
