// MTL reading: colours, the dissolve keywords, unreadable scalars, map names, keyword
// matching and the line-length limit.
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

std::vector<float> rgba(const Vec4& c) { return {c.x, c.y, c.z, c.w}; }

TEST(MtlReader, ColourLinesTakeZeroForMissingComponents) {
  const auto materials = parse("newmtl a\nKd 0.5 0.25 1\nKa 0.5\nKs 2 3 4 5\nKe\n");
  ASSERT_EQ(materials.size(), 1u);
  const Material& m = materials[0];
  EXPECT_EQ(m.name, "a");
  EXPECT_EQ(rgba(m.colorKd), (std::vector<float>{0.5f, 0.25f, 1, 1}));
  EXPECT_EQ(rgba(m.colorKa), (std::vector<float>{0.5f, 0, 0, 1}));
  EXPECT_EQ(rgba(m.colorKs), (std::vector<float>{2, 3, 4, 1}));  // not clamped
  EXPECT_EQ(rgba(m.colorKe), (std::vector<float>{0, 0, 0, 1}));
}

TEST(MtlReader, ScalarsAndDissolveFromDTrAndTf) {
  const struct { const char* lines; float dissolve, shininess, illumination; } cases[] = {
      {"Tf 0.3 0.6 0.9", 0.6f, 2, 1},
      {"Tf 0.9", 0.3f, 2, 1},
      {"Tr 0.2", 0.2f, 2, 1},  // not 1 - 0.2
      {"d 0.2\nd", 0.2f, 2, 1},
      // An unreadable value leaves the one before it.
      {"Ns 30\nNs many\nillum 2\nillum x\nd 0.5\nTr -", 0.5f, 30, 2},
  };
  for (const auto& c : cases) {
    const Material m = parse(std::string("newmtl a\n") + c.lines + "\n").at(0);
    EXPECT_FLOAT_EQ(m.dissolve, c.dissolve) << c.lines;
    EXPECT_EQ(m.shininess, c.shininess) << c.lines;
    EXPECT_EQ(m.illumination, c.illumination) << c.lines;
  }
}

// Only the first word after a map keyword is kept, so an option ahead of the file name is
// what gets stored; "map_kd" is no keyword, and an empty map_Kd changes nothing.
TEST(MtlReader, MapsKeepTheirFirstWord) {
  const auto materials = parse(
      "newmtl a\nbump rough.png\nmap_Kd wood.jpg\nmap_kd ignored.jpg\nmap_Ka ka.png extra\n"
      "map_Ks ks.png\nmap_Ke ke.png\nmap_Ns ns.png\nmap_d d.png\nmap_Kd\n"
      "newmtl b\nmap_Bump -bm 0.5 normal.png\n");
  ASSERT_EQ(materials.size(), 2u);
  const Material& a = materials[0];
  EXPECT_EQ((std::vector<std::string>{a.mapBump, a.mapKd, a.mapKa, a.mapKs, a.mapKe, a.mapNs, a.mapD}),
            (std::vector<std::string>{"rough.png", "wood.jpg", "ka.png", "ks.png", "ke.png", "ns.png", "d.png"}));
  EXPECT_EQ(materials[1].mapBump, "-bm");
}

// Property lines before the first newmtl are ignored, indented ones read; a line of 256
// characters or more ends the file.
TEST(MtlReader, LinesBeforeTheFirstNewmtlIndentedLinesAndTheLineLimit) {
  const auto materials = parse("Kd 0 0 0\nNs 9\n\tnewmtl a\n\t Kd 0 1 0\n# Kd 1 1 1\n");
  ASSERT_EQ(materials.size(), 1u);
  EXPECT_EQ(rgba(materials[0].colorKd), (std::vector<float>{0, 1, 0, 1}));
  EXPECT_EQ(materials[0].shininess, 2.0f);

  EXPECT_EQ(parse("newmtl a" + std::string(255 - 8, ' ') + "\nnewmtl b\n").size(), 2u);
  EXPECT_EQ(parse("newmtl a\n# " + std::string(254, 'x') + "\nnewmtl b\n").size(), 1u);
}

}  // namespace
}  // namespace quintaval
