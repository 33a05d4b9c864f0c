// Maya ASCII reading: the header, light attribute timing, transforms applied to curves,
// curve data spread over lines, several files of one name, lookups by name, and damaged
// files (kept in tests/geometry/damaged/) read the way the program reads them.
#include "geometry/maya_scene.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

using Floats = std::vector<float>;

const std::string kHeader = "//Maya ASCII 2018 scene\n";

Floats xyz(const Vec3& v) { return {v.x, v.y, v.z}; }

void expectNear(const Vec3& v, const Floats& expected, float tolerance) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(xyz(v)[i], expected[i], tolerance) << "component " << i;
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
  const struct { std::string text; std::size_t lights; } cases[] = {
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

TEST(MayaScene, LightsTakeTheTranslationOfTheirFileAndTheAttributesAfterTheirFirstLine) {
  MayaScene scene;
  scene.readMayaText(pointLightFile("\tsetAttr \".t\" -type \"double3\" 1 2 3 ;\n",
                                    "\tsetAttr -k off \".v\";\n\tsetAttr \".cl\" -type \"float3\" 1 0.5 0 ;\n"
                                    "\tsetAttr \".in\" 2;\n"),
                     "Data/Maya/Light1.ma");
  ASSERT_EQ(scene.pointLights().size(), 1u);
  EXPECT_EQ(scene.pointLights()[0].path, "Data/Maya/Light1.ma");
  EXPECT_EQ(xyz(scene.pointLightPosition("Light1.ma")), (Floats{1, 2, 3}));
  EXPECT_EQ(xyz(scene.pointLightColor("Light1.ma")), (Floats{1, 0.5f, 0}));
  EXPECT_EQ(scene.pointLightIntensity("Light1.ma"), 2.0f);

  // The line right after a light's createNode is not read; without a ".t" line in its
  // file the light is at the origin (the last file's transform does not leak).
  scene.readMayaText(pointLightFile("", "\tsetAttr \".in\" 5;\n\tsetAttr \".in\" 3;\n"), "Light2.ma");
  EXPECT_EQ(scene.pointLightIntensity("Light2.ma"), 3.0f);
  EXPECT_EQ(xyz(scene.pointLightPosition("Light2.ma")), (Floats{0, 0, 0}));
  // A light that no later setAttr line completes is dropped at the end of the file.
  scene.readMayaText(kHeader + "createNode pointLight -n \"p\";\n\tsetAttr \".v\" 1;\n\tsetAttr \".in\" 2;\n",
                     "Light3.ma");
  EXPECT_EQ(scene.pointLights().size(), 2u);

  scene.readMayaText(kHeader + "createNode ambientLight -n \"a\";\n\tsetAttr -k off \".v\";\n"
                               "\tsetAttr \".cl\" -type \"float3\" 0.2 0.3 0.4;\n"
                               "\tsetAttr \".in\" 0.5;\n\tsetAttr \".as\" 0;\n",
                     "Data/Maya/AmbientLight.ma");
  ASSERT_EQ(scene.ambientLights().size(), 1u);
  EXPECT_EQ(xyz(scene.ambientLightColor("AmbientLight.ma")), (Floats{0.2f, 0.3f, 0.4f}));
  EXPECT_EQ(scene.ambientLights()[0].intensity, 0.5f);
  EXPECT_EQ(scene.pointLights().size(), 2u);

  // A name nothing was read for gives the defaults.
  EXPECT_EQ(xyz(scene.pointLightPosition("Other.ma")), (Floats{0, 0, 0}));
  EXPECT_EQ(xyz(scene.pointLightColor("Other.ma")), (Floats{1, 1, 1}));
  EXPECT_EQ(scene.pointLightIntensity("Other.ma"), 1.0f);
  EXPECT_EQ(xyz(scene.ambientLightColor("Other.ma")), (Floats{1, 1, 1}));
  EXPECT_EQ(xyz(scene.curvePoint("Other.ma", 0.5f)), (Floats{1, 1, 1}));
  EXPECT_EQ(xyz(scene.pathPoint("Other.ma", 0.5f)), (Floats{1, 1, 1}));
}

// A file may end right after a curve's last control point, without the closing line; a
// curve cut short of its announced points is dropped.
TEST(MayaScene, CurvesAreReadAfterTheirKnotsOnceAllTheirPointsAreThere) {
  const std::string whole = curveFile("", kUnitSegment, 4);
  const std::string toLastPoint = whole.substr(0, whole.find("\t\t;"));
  const struct { std::string text; bool read; } cases[] = {
      {whole, true},
      {toLastPoint, true},
      {toLastPoint.substr(0, toLastPoint.size() - 1), true},  // no line end after it
      {toLastPoint.substr(0, toLastPoint.rfind("\t\t4 0 0")), false},
      {whole.substr(0, whole.find("\t\t4\n")), false},  // the count line is missing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    MayaScene scene;
    scene.readMayaText(c.text, "Data/Maya/CamCurve.ma");
    ASSERT_EQ(scene.paths().size(), c.read ? 1u : 0u);
    if (!c.read) continue;
    const CameraPath& path = scene.paths()[0];
    EXPECT_EQ(path.name, "CamCurve.ma");
    EXPECT_EQ(path.segmentCount, 1);
    ASSERT_EQ(path.controlPoints.size(), 4u);
    EXPECT_EQ(xyz(path.controlPoints[3]), (Floats{4, 0, 0}));
    EXPECT_EQ(xyz(scene.curvePoint("CamCurve.ma", 0.0f)), (Floats{1, 0, 0}));
    EXPECT_NEAR(scene.pathPoint("CamCurve.ma", 0.5f).x, 2.5f, 2e-3f);
    EXPECT_EQ(scene.curvePoint("camcurve.ma", 0.0f).y, 1.0f);  // another name: the default
  }
}

TEST(MayaScene, CurvesAreScaledThenRotatedThenMoved) {
  MayaScene scene;
  scene.readMayaText(curveFile("\tsetAttr \".r\" -type \"double3\" 0 90 0 ;\n",
                               "\t\t1 0 0\n\t\t1 0 0\n\t\t1 0 0\n\t\t1 0 0\n", 4),
                     "Rotated.ma");
  expectNear(scene.paths().at(0).controlPoints[0], {0, 0, -1}, 1e-6f);

  scene.readMayaText(curveFile("\tsetAttr \".t\" -type \"double3\" 1 0 0 ;\n"
                               "\tsetAttr \".s\" -type \"double3\" 2 2 2 ;\n"
                               "\tsetAttr \".r\" -type \"double3\" 0 0 90 ;\n",
                               kUnitSegment, 4),
                     "All.ma");
  // (1, 0, 0) scaled to (2, 0, 0), turned about Z to (0, 2, 0), moved to (1, 2, 0).
  expectNear(scene.paths().at(1).controlPoints[0], {1, 2, 0}, 1e-6f);
  // The arc tables belong to the curve as read (length 3), the samples to the moved one.
  EXPECT_NEAR(scene.paths()[1].totalLength, 3.0f, 0.01f);
  EXPECT_NEAR(scene.pathPoint("All.ma", 0.0f).y, 2.0f, 1e-5f);
}

TEST(MayaScene, TheFirstFileOfANameWinsAndKeepsItsOwnTransform) {
  testing::TempDir dir;
  const auto first = dir.write("a/CamCurve.ma", curveFile("", kUnitSegment, 4));
  const auto second =
      dir.write("b/CamCurve.ma", curveFile("\tsetAttr \".t\" -type \"double3\" 0 10 0 ;\n", kUnitSegment, 4));
  MayaScene scene;
  for (const std::string& path : {first.string(), second.string(), (dir.path() / "missing.ma").string(),
                                  std::string()}) {
    scene.readMayaFile(path);
  }
  ASSERT_EQ(scene.paths().size(), 2u);
  EXPECT_EQ(scene.paths()[0].path, first.string());
  EXPECT_EQ(xyz(scene.curvePoint("CamCurve.ma", 0.0f)), (Floats{1, 0, 0}));
  EXPECT_EQ(xyz(scene.pathPoint("CamCurve.ma", 0.0f)), (Floats{1, 0, 0}));
  EXPECT_EQ(xyz(scene.paths()[1].controlPoints[0]), (Floats{1, 10, 0}));
}

// Curves whose points are finite but whose squared distances overflow: the length is
// infinite, every segment's share of it 0 or NaN. Such a path stays at its first point
// instead of looking up a segment that does not exist.
//   overflowing_curve.ma   points near the float limits
//   fuzzer_found_curve.ma  the same fault as the fuzzer found it in a mangled file: one
//                          coordinate of 1e32, after a scale line
TEST(MayaScene, DamagedCurvesWhoseLengthOverflowsStayAtTheirFirstPoint) {
  const char* source = std::getenv("QV_SOURCE_DIR");
  for (const std::string name : {"overflowing_curve.ma", "fuzzer_found_curve.ma"}) {
    SCOPED_TRACE(name);
    MayaScene scene;
    ASSERT_TRUE(scene.readMayaFile(std::string(source != nullptr ? source : ".") + "/tests/geometry/damaged/" + name));
    ASSERT_EQ(scene.paths().size(), 1u);
    const CameraPath& path = scene.paths().front();
    ASSERT_FALSE(path.controlPoints.empty());
    for (float u : {0.0f, 0.5f, 1.0f}) {
      EXPECT_EQ(xyz(scene.curvePoint(name, u)), xyz(path.controlPoints.front())) << u;
      EXPECT_EQ(xyz(scene.pathPoint(name, u)), xyz(path.controlPoints.front())) << u;
    }
  }
}

// Author mode: reading a changed file again replaces what it gave, and only that; a file
// that cannot be read leaves the scene as it was.
TEST(MayaScene, RereadReplacesTheObjectsOfThatFileOnly) {
  testing::TempDir dir;
  const auto light = [](float intensity) {
    return pointLightFile("", "\tsetAttr \".v\" 1;\n\tsetAttr \".in\" " + std::to_string(intensity) + ";\n");
  };
  const std::string one = dir.write("One.ma", light(2.0f)).string();
  const std::string two = dir.write("Two.ma", light(3.0f)).string();
  MayaScene scene;
  ASSERT_TRUE(scene.readMayaFile(one) && scene.readMayaFile(two));
  dir.write("One.ma", light(5.0f));
  ASSERT_TRUE(scene.rereadMayaFile(one));
  EXPECT_EQ(scene.pointLights().size(), 2u);
  EXPECT_FLOAT_EQ(scene.pointLightIntensity("One.ma"), 5.0f);
  EXPECT_FLOAT_EQ(scene.pointLightIntensity("Two.ma"), 3.0f);
  dir.write("One.ma", "not a Maya file");
  EXPECT_FALSE(scene.rereadMayaFile(one));
  EXPECT_FLOAT_EQ(scene.pointLightIntensity("One.ma"), 5.0f);
}

}  // namespace
}  // namespace quintaval
