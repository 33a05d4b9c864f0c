// Maya ASCII reading: the header, light attribute timing, transforms applied to curves,
// curve data spread over lines, several files of one name, and lookups by name.
#include "geometry/maya_scene.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

const std::string kHeader = "//Maya ASCII 2018 scene\n";

void expectVec3(const Vec3& v, float x, float y, float z, float tolerance = 0.0f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

// A transform with the given setAttr lines, then a bezier curve with the given control
// points; the knots run over two lines, as Maya writes longer curves.
std::string curveFile(const std::string& transformLines, const std::string& points, int count) {
  return kHeader + "requires maya \"2018\";\ncreateNode transform -n \"bezier1\";\n" +
         transformLines + "createNode bezierCurve -n \"bezierShape1\" -p \"bezier1\";\n" +
         "\tsetAttr -k off \".v\";\n\tsetAttr \".cc\" -type \"nurbsCurve\"\n\t\t3 1 0 no 3\n"
         "\t\t6 0 0 0\n\t\t1 1 1\n\t\t" +
         std::to_string(count) + "\n" + points + "\t\t;\ncreateNode lightLinker -s -n \"x\";\n";
}

const std::string kUnitSegment = "\t\t1 0 0\n\t\t2 0 0\n\t\t3 0 0\n\t\t4 0 0\n";

std::string pointLightFile(const std::string& transformLines, const std::string& lightLines) {
  return kHeader + "createNode transform -n \"pointLight1\";\n" + transformLines +
         "createNode pointLight -n \"pointLightShape1\" -p \"pointLight1\";\n" + lightLines +
         "select -ne :time1;\n\tsetAttr \".o\" 1;\n";
}

TEST(MayaScene, OnlyFilesStartingWithTheMayaWordAreReadUpToALongLine) {
  const std::string body = pointLightFile("", "\tsetAttr -k off \".v\";\n").substr(kHeader.size());
  const struct {
    std::string text;
    std::size_t lights;
  } cases[] = {
      {kHeader + body, 1},
      {"// Maya ASCII 2018 scene\n" + body, 0},
      {body, 0},
      {kHeader + "// " + std::string(4093, 'x') + "\n" + body, 0},
  };
  for (const auto& c : cases) {
    MayaScene scene;
    scene.readMayaText(c.text, "Light1.ma");
    EXPECT_EQ(scene.pointLights().size(), c.lights) << c.text.substr(0, 40);
  }
}

TEST(MayaScene, PointLightsTakeTheTranslationAndTheirAttributes) {
  MayaScene scene;
  scene.readMayaText(pointLightFile("\tsetAttr \".t\" -type \"double3\" 1 2 3 ;\n",
                                    "\tsetAttr -k off \".v\";\n"
                                    "\tsetAttr \".cl\" -type \"float3\" 1 0.5 0 ;\n"
                                    "\tsetAttr \".in\" 2;\n"),
                     "Data/Maya/Light1.ma");
  ASSERT_EQ(scene.pointLights().size(), 1u);
  EXPECT_EQ(scene.pointLights()[0].path, "Data/Maya/Light1.ma");
  expectVec3(scene.pointLightPosition("Light1.ma"), 1, 2, 3);
  expectVec3(scene.pointLightColor("Light1.ma"), 1, 0.5f, 0);
  EXPECT_FLOAT_EQ(scene.pointLightIntensity("Light1.ma"), 2.0f);

  // Without a ".t" line in its file, at the origin; the file's transform does not leak
  // into the next file.
  scene.readMayaText(pointLightFile("", "\tsetAttr -k off \".v\";\n"), "Light2.ma");
  expectVec3(scene.pointLightPosition("Light2.ma"), 0, 0, 0);
}

TEST(MayaScene, TheLineRightAfterALightIsCreatedIsNotRead) {
  MayaScene scene;
  scene.readMayaText(pointLightFile("", "\tsetAttr \".in\" 5;\n\tsetAttr \".in\" 3;\n"),
                     "Light1.ma");
  EXPECT_FLOAT_EQ(scene.pointLightIntensity("Light1.ma"), 3.0f);

  // A light that no later setAttr line completes is dropped at the end of the file.
  MayaScene open;
  open.readMayaText(kHeader + "createNode pointLight -n \"p\";\n\tsetAttr \".v\" 1;\n"
                              "\tsetAttr \".in\" 2;\n",
                    "Light1.ma");
  EXPECT_TRUE(open.pointLights().empty());
}

TEST(MayaScene, AmbientLightsHaveColourAndIntensity) {
  MayaScene scene;
  scene.readMayaText(kHeader + "createNode ambientLight -n \"a\";\n\tsetAttr -k off \".v\";\n"
                               "\tsetAttr \".cl\" -type \"float3\" 0.2 0.3 0.4;\n"
                               "\tsetAttr \".in\" 0.5;\n\tsetAttr \".as\" 0;\n",
                     "Data/Maya/AmbientLight.ma");
  ASSERT_EQ(scene.ambientLights().size(), 1u);
  expectVec3(scene.ambientLightColor("AmbientLight.ma"), 0.2f, 0.3f, 0.4f);
  EXPECT_FLOAT_EQ(scene.ambientLights()[0].intensity, 0.5f);
  EXPECT_TRUE(scene.pointLights().empty());
}

TEST(MayaScene, UnknownNamesGiveTheDefaults) {
  const MayaScene scene;
  expectVec3(scene.pointLightPosition("Light1.ma"), 0, 0, 0);
  expectVec3(scene.pointLightColor("Light1.ma"), 1, 1, 1);
  EXPECT_FLOAT_EQ(scene.pointLightIntensity("Light1.ma"), 1.0f);
  expectVec3(scene.ambientLightColor("AmbientLight.ma"), 1, 1, 1);
  expectVec3(scene.curvePoint("CamCurve.ma", 0.5f), 1, 1, 1);
  expectVec3(scene.pathPoint("CamCurve.ma", 0.5f), 1, 1, 1);
}

TEST(MayaScene, CurvesAreReadAfterTheirKnots) {
  MayaScene scene;
  scene.readMayaText(curveFile("", kUnitSegment, 4), "Data/Maya/CamCurve.ma");
  ASSERT_EQ(scene.paths().size(), 1u);
  const CameraPath& path = scene.paths()[0];
  EXPECT_EQ(path.name, "CamCurve.ma");
  ASSERT_EQ(path.controlPoints.size(), 4u);
  expectVec3(path.controlPoints[3], 4, 0, 0);
  EXPECT_EQ(path.segmentCount, 1);
  expectVec3(scene.curvePoint("CamCurve.ma", 0.0f), 1, 0, 0);
  EXPECT_NEAR(scene.pathPoint("CamCurve.ma", 0.5f).x, 2.5f, 2e-3f);
  EXPECT_EQ(scene.curvePoint("camcurve.ma", 0.0f).y, 1.0f);  // the default (1, 1, 1)
}

// A file may end right after a curve's last control point, without the closing line;
// a curve cut short of its announced points is dropped.
TEST(MayaScene, ACurveAtTheEndOfTheFileNeedsAllItsPoints) {
  const std::string whole = curveFile("", kUnitSegment, 4);
  const std::string toLastPoint = whole.substr(0, whole.find("\t\t;"));
  const struct {
    std::string text;
    std::size_t points;  // 0: no path
  } cases[] = {
      {toLastPoint, 4},
      {toLastPoint.substr(0, toLastPoint.size() - 1), 4},  // no line end after it
      {toLastPoint.substr(0, toLastPoint.rfind("\t\t4 0 0")), 0},
      {whole.substr(0, whole.find("\t\t4\n")), 0},  // the count line is missing
  };
  for (const auto& c : cases) {
    MayaScene scene;
    scene.readMayaText(c.text, "CamCurve.ma");
    ASSERT_EQ(scene.paths().size(), c.points == 0 ? 0u : 1u) << c.text;
    if (c.points != 0) {
      EXPECT_EQ(scene.paths()[0].controlPoints.size(), c.points);
      expectVec3(scene.curvePoint("CamCurve.ma", 1.0f), 4, 0, 0, 1e-5f);
    }
  }
}

TEST(MayaScene, CurvesAreScaledThenRotatedThenMoved) {
  MayaScene scene;
  scene.readMayaText(curveFile("\tsetAttr \".r\" -type \"double3\" 0 90 0 ;\n",
                               "\t\t1 0 0\n\t\t1 0 0\n\t\t1 0 0\n\t\t1 0 0\n", 4),
                     "Rotated.ma");
  expectVec3(scene.paths().at(0).controlPoints[0], 0, 0, -1, 1e-6f);

  scene.readMayaText(curveFile("\tsetAttr \".t\" -type \"double3\" 1 0 0 ;\n"
                               "\tsetAttr \".s\" -type \"double3\" 2 2 2 ;\n"
                               "\tsetAttr \".r\" -type \"double3\" 0 0 90 ;\n",
                               kUnitSegment, 4),
                     "All.ma");
  // (1, 0, 0) scaled to (2, 0, 0), turned about Z to (0, 2, 0), moved to (1, 2, 0).
  expectVec3(scene.paths().at(1).controlPoints[0], 1, 2, 0, 1e-6f);
  // The arc tables belong to the curve as read (length 3), the samples to the moved one.
  EXPECT_NEAR(scene.paths()[1].totalLength, 3.0f, 0.01f);
  EXPECT_NEAR(scene.pathPoint("All.ma", 0.0f).y, 2.0f, 1e-5f);
}

TEST(MayaScene, TheFirstFileOfANameWinsAndKeepsItsOwnTransform) {
  testing::TempDir dir;
  const auto first = dir.write("a/CamCurve.ma", curveFile("", kUnitSegment, 4));
  const auto second = dir.write(
      "b/CamCurve.ma",
      curveFile("\tsetAttr \".t\" -type \"double3\" 0 10 0 ;\n", kUnitSegment, 4));
  MayaScene scene;
  scene.readMayaFile(first.string());
  scene.readMayaFile(second.string());
  scene.readMayaFile((dir.path() / "missing.ma").string());
  scene.readMayaFile("");
  ASSERT_EQ(scene.paths().size(), 2u);
  EXPECT_EQ(scene.paths()[0].path, first.string());
  expectVec3(scene.curvePoint("CamCurve.ma", 0.0f), 1, 0, 0);
  expectVec3(scene.pathPoint("CamCurve.ma", 0.0f), 1, 0, 0);
  expectVec3(scene.paths()[1].controlPoints[0], 1, 10, 0);
}

}  // namespace
}  // namespace quintaval
