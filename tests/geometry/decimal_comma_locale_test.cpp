// The readers parse numbers the same way under a locale whose decimal separator is a
// comma: both the C locale (what strtod and printf follow) and the global C++ locale
// (what streams follow) are switched to one. When the system has no such C locale
// generated, one is made with localedef in a scratch directory.
#include <gtest/gtest.h>

#include <memory>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "geometry/maya_scene.h"
#include "geometry/mtl_reader.h"
#include "geometry/obj_reader.h"
#include "support/comma_locale.h"

namespace quintaval {
namespace {

class DecimalCommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    locale_ = std::make_unique<testing::ScopedCommaLocale>();
    cCommaLocale_ = locale_->cLocaleHasComma();
  }
  void TearDown() override { locale_.reset(); }

  bool cCommaLocale_ = false;

 private:
  std::unique_ptr<testing::ScopedCommaLocale> locale_;
};

TEST_F(DecimalCommaLocale, ReadersStillTakeThePointAsDecimalSeparator) {
  if (!cCommaLocale_) {
    // Without the locale sources (Debian package "locales") only the C++ locale is set.
    std::printf("note: no C locale with a decimal comma available; testing the C++ one\n");
  }
  ModelData model;
  readObjText("v 1.5 -2.25 3e-1\nvt 0.75 0.125\n", "", model);
  ASSERT_EQ(model.positions.size(), 1u);
  EXPECT_FLOAT_EQ(model.positions[0].x, 1.5f);
  EXPECT_FLOAT_EQ(model.positions[0].y, -2.25f);
  EXPECT_FLOAT_EQ(model.positions[0].z, 0.3f);
  EXPECT_FLOAT_EQ(model.texCoords.at(0).y, 0.125f);

  // A comma is not part of a number even here.
  ModelData comma;
  readObjText("v 1,5 2 3\n", "", comma);
  EXPECT_FLOAT_EQ(comma.positions.at(0).x, 1.0f);
  EXPECT_FLOAT_EQ(comma.positions.at(0).y, 0.0f);

  std::vector<Material> materials;
  readMaterialText("newmtl a\nKd 0.5 0.25 1\nNs 12.5\n", materials);
  ASSERT_EQ(materials.size(), 1u);
  EXPECT_FLOAT_EQ(materials[0].colorKd.y, 0.25f);
  EXPECT_FLOAT_EQ(materials[0].shininess, 12.5f);

  MayaScene scene;
  scene.readMayaText(
      "//Maya ASCII 2018 scene\ncreateNode transform -n \"l\";\n"
      "\tsetAttr \".t\" -type \"double3\" 1.5 2.5 -0.5 ;\ncreateNode pointLight -n \"s\";\n"
      "\tsetAttr -k off \".v\";\n\tsetAttr \".in\" 0.75;\n\tsetAttr \".x\" 1;\n",
      "Data/Maya/Light1.ma");
  EXPECT_FLOAT_EQ(scene.pointLightPosition("Light1.ma").x, 1.5f);
  EXPECT_FLOAT_EQ(scene.pointLightPosition("Light1.ma").z, -0.5f);
  EXPECT_FLOAT_EQ(scene.pointLightIntensity("Light1.ma"), 0.75f);
}

}  // namespace
}  // namespace quintaval
