// MTL reading: defaults, colours, the dissolve keywords, map names, keyword matching and
// the line-length limit.
#include "geometry/mtl_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quintaval {
namespace {

std::vector<Material> parse(const std::string& text) {
  std::vector<Material> materials;
  readMaterialText(text, materials);
  return materials;
}

void expectColor(const Vec4& c, float r, float g, float b) {
  EXPECT_FLOAT_EQ(c.x, r);
  EXPECT_FLOAT_EQ(c.y, g);
  EXPECT_FLOAT_EQ(c.z, b);
  EXPECT_FLOAT_EQ(c.w, 1.0f);
}

TEST(MtlReader, ABlockWithoutPropertiesKeepsTheDefaults) {
  const auto materials = parse("newmtl plain\n");
  ASSERT_EQ(materials.size(), 1u);
  const Material& m = materials[0];
  EXPECT_EQ(m.name, "plain");
  expectColor(m.colorKa, 0, 0, 0);
  expectColor(m.colorKd, 1, 1, 1);
  expectColor(m.colorKs, 0, 0, 0);
  expectColor(m.colorKe, 0, 0, 0);
  EXPECT_FLOAT_EQ(m.shininess, 2.0f);
  EXPECT_FLOAT_EQ(m.dissolve, 1.0f);
  EXPECT_FLOAT_EQ(m.illumination, 1.0f);
}

TEST(MtlReader, ColourLinesTakeZeroForMissingComponents) {
  const auto m = parse("newmtl a\nKd 0.5 0.25 1\nKa 0.5\nKs 2 3 4 5\nKe\nKd 0.5 0.25 1\n")[0];
  expectColor(m.colorKd, 0.5f, 0.25f, 1);
  expectColor(m.colorKa, 0.5f, 0, 0);
  expectColor(m.colorKs, 2, 3, 4);  // not clamped
  expectColor(m.colorKe, 0, 0, 0);
}

TEST(MtlReader, DissolveComesFromDTrAndTf) {
  EXPECT_FLOAT_EQ(parse("newmtl a\nTf 0.3 0.6 0.9\n")[0].dissolve, 0.6f);
  EXPECT_FLOAT_EQ(parse("newmtl a\nTf 0.9\n")[0].dissolve, 0.3f);
  EXPECT_FLOAT_EQ(parse("newmtl a\nTr 0.2\n")[0].dissolve, 0.2f);  // not 1 - 0.2
  EXPECT_FLOAT_EQ(parse("newmtl a\nd 0.2\n")[0].dissolve, 0.2f);
  EXPECT_FLOAT_EQ(parse("newmtl a\nd 0.2\nd\n")[0].dissolve, 0.2f);
}

TEST(MtlReader, UnreadableScalarsLeaveTheirValue) {
  const auto m = parse("newmtl a\nNs 30\nNs many\nillum 2\nillum x\nd 0.5\nTr -\n")[0];
  EXPECT_FLOAT_EQ(m.shininess, 30.0f);
  EXPECT_FLOAT_EQ(m.illumination, 2.0f);
  EXPECT_FLOAT_EQ(m.dissolve, 0.5f);
}

TEST(MtlReader, MapsKeepTheirFirstWord) {
  const auto materials = parse(
      "newmtl a\nbump rough.png\nmap_Kd wood.jpg\nmap_kd ignored.jpg\nmap_Ka ka.png extra\n"
      "map_Ks ks.png\nmap_Ke ke.png\nmap_Ns ns.png\nmap_d d.png\nmap_Kd\n"
      "newmtl b\nmap_Bump -bm 0.5 normal.png\n");
  ASSERT_EQ(materials.size(), 2u);
  const Material& a = materials[0];
  EXPECT_EQ(a.mapBump, "rough.png");
  EXPECT_EQ(a.mapKd, "wood.jpg");  // map_kd is not a keyword; an empty map_Kd changes nothing
  EXPECT_EQ(a.mapKa, "ka.png");
  EXPECT_EQ(a.mapKs, "ks.png");
  EXPECT_EQ(a.mapKe, "ke.png");
  EXPECT_EQ(a.mapNs, "ns.png");
  EXPECT_EQ(a.mapD, "d.png");
  EXPECT_EQ(materials[1].mapBump, "-bm");
}

TEST(MtlReader, LinesBeforeTheFirstNewmtlAreIgnoredAndIndentedLinesRead) {
  const auto materials = parse("Kd 0 0 0\nNs 9\n\tnewmtl a\n\t Kd 0 1 0\n# Kd 1 1 1\n");
  ASSERT_EQ(materials.size(), 1u);
  expectColor(materials[0].colorKd, 0, 1, 0);
  EXPECT_FLOAT_EQ(materials[0].shininess, 2.0f);
}

TEST(MtlReader, ALineOf256CharactersEndsTheFile) {
  const std::string fits = "newmtl a" + std::string(255 - 8, ' ');
  EXPECT_EQ(parse(fits + "\nnewmtl b\n").size(), 2u);
  const std::string tooLong = "# " + std::string(254, 'x');
  EXPECT_EQ(parse("newmtl a\n" + tooLong + "\nnewmtl b\n").size(), 1u);
}

TEST(MtlReader, AMissingFileAddsNothing) {
  std::vector<Material> materials(1);
  readMaterialLibrary("/nonexistent/none.mtl", materials);
  EXPECT_EQ(materials.size(), 1u);
}

}  // namespace
}  // namespace quintaval
