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

const std::string kRecords =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 2 0\nvt 0.5 0.25\nvn 0 0 1\n";

void expectRange(const DrawRange& range, int primitive, int first, int count, int material) {
  EXPECT_EQ(range.primitive, primitive);
  EXPECT_EQ(range.first, first);
  EXPECT_EQ(range.count, count);
  EXPECT_EQ(range.material, material);
}

TEST(DrawData, ThreeTrianglesOfOneMaterialMakeOneRange) {
  const ModelData model =
      build(kRecords + "usemtl a\nf 1/1/1 2/1/1 3/1/1\nf 1/1/1 3/1/1 4/1/1\nf 2/1/1 3/1/1 5/1/1\n");
  ASSERT_EQ(model.ranges.size(), 1u);
  expectRange(model.ranges[0], kPrimitiveTriangles, 0, 9, 0);
  EXPECT_EQ(model.vertexData.size(), 72u);
  EXPECT_EQ(model.vertexCount, 9);
  EXPECT_EQ(model.indexData, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  // Second vertex: position (1, 0, 0), texture coordinate (0.5, 0.25), normal (0, 0, 1).
  const std::vector<float> second(model.vertexData.begin() + 8, model.vertexData.begin() + 16);
  EXPECT_EQ(second, (std::vector<float>{1, 0, 0, 0.5f, 0.25f, 0, 0, 1}));
}

TEST(DrawData, RangesSplitAtGroupsMaterialsAndPrimitives) {
  const std::string tri = "f 1/1/1 2/1/1 3/1/1\n";
  ModelData model = build(kRecords + "usemtl a\n" + tri + "g two\n" + tri);
  ASSERT_EQ(model.ranges.size(), 2u);
  expectRange(model.ranges[1], kPrimitiveTriangles, 3, 3, 0);

  model = build(kRecords + "usemtl a\n" + tri + "usemtl b\n" + tri + "usemtl a\n" + tri);
  ASSERT_EQ(model.ranges.size(), 3u);
  EXPECT_EQ(model.ranges[1].material, 1);
  EXPECT_EQ(model.ranges[2].material, 0);

  model = build(kRecords + "usemtl a\n" + tri + tri + tri + tri + "usemtl b\n" + tri);
  ASSERT_EQ(model.ranges.size(), 2u);
  expectRange(model.ranges[0], kPrimitiveTriangles, 0, 12, 0);
  expectRange(model.ranges[1], kPrimitiveTriangles, 12, 3, 1);

  model = build(kRecords + tri + "f 1/1/1 2/1/1 3/1/1 4/1/1\n" + tri);
  ASSERT_EQ(model.ranges.size(), 3u);
  expectRange(model.ranges[1], kPrimitiveQuads, 3, 6, -1);
}

TEST(DrawData, QuadsAndPolygonsAreCutIntoFans) {
  const ModelData model =
      build(kRecords + "f 1/1/1 2/1/1 3/1/1 4/1/1\nf 1/1/1 2/1/1 3/1/1 4/1/1\n"
                       "f 1/1/1 2/1/1 3/1/1 4/1/1 5/1/1\n");
  ASSERT_EQ(model.ranges.size(), 2u);
  // Two quads stay one range yet never join into one polygon: each is its own fan.
  expectRange(model.ranges[0], kPrimitiveQuads, 0, 12, -1);
  expectRange(model.ranges[1], kPrimitiveTriangleFan, 12, 9, -1);
  EXPECT_EQ(model.vertexCount, 13);
  EXPECT_EQ(model.indexData, (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7, 8,
                                                          9, 10, 8, 10, 11, 8, 11, 12}));
}

TEST(DrawData, CornersWithoutRecordsGetZerosAndShortFacesAddNothing) {
  const ModelData model = build(kRecords + "vt 7 7\nvn 9 9 9\nf 1 2/2 3/2/2\nf 1/1/1 2/1/1\n");
  EXPECT_EQ(model.vertexCount, 3);
  ASSERT_EQ(model.vertexData.size(), 24u);
  const std::vector<float> first(model.vertexData.begin(), model.vertexData.begin() + 8);
  EXPECT_EQ(first, (std::vector<float>{0, 0, 0, 0, 0, 0, 0, 0}));
  const std::vector<float> second(model.vertexData.begin() + 8, model.vertexData.begin() + 16);
  EXPECT_EQ(second, (std::vector<float>{1, 0, 0, 7, 7, 0, 0, 0}));
  ASSERT_EQ(model.ranges.size(), 1u);
  EXPECT_EQ(model.ranges[0].count, 3);
}

TEST(DrawData, RangesWithoutAKnownMaterialUseTheDefaultMaterial) {
  const ModelData model = build(kRecords + "f 1/1/1 2/1/1 3/1/1\n");
  EXPECT_EQ(model.ranges.at(0).material, -1);
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
