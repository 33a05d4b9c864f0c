// Damaged and hostile geometry files that once crashed or misread memory, each kept in
// tests/geometry/damaged/ and read the way the program reads it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "geometry/camera_path.h"
#include "geometry/maya_scene.h"

namespace quintaval {
namespace {

std::string damagedFile(const std::string& name) {
  const char* source = std::getenv("QV_SOURCE_DIR");
  return std::string(source != nullptr ? source : ".") + "/tests/geometry/damaged/" + name;
}

// The points are finite but their distances are not: the length is infinite, every
// segment's share of it 0 or NaN. Such a path stays at its first point instead of looking
// up a segment that does not exist.
TEST(DamagedFiles, CurveWhoseLengthOverflowsStaysAtItsFirstPoint) {
  MayaScene scene;
  ASSERT_TRUE(scene.readMayaFile(damagedFile("overflowing_curve.ma")));
  ASSERT_EQ(scene.paths().size(), 1u);
  EXPECT_TRUE(std::isinf(scene.paths().front().totalLength));
  for (float u : {0.0f, 0.5f, 1.0f}) {
    const Vec3 point = scene.curvePoint("overflowing_curve.ma", u);
    EXPECT_EQ(point.x, -3e38f);
    EXPECT_EQ(point.y, 0.0f);
    const Vec3 sampled = scene.pathPoint("overflowing_curve.ma", u);
    EXPECT_EQ(sampled.x, -3e38f);
  }
}

// The same fault as the fuzzer found it in a mangled file: ordinary-looking numbers (one
// coordinate of 1e32) whose squared distance overflows, after a scale line.
TEST(DamagedFiles, MangledCurveFoundByTheFuzzerIsReadSafely) {
  MayaScene scene;
  ASSERT_TRUE(scene.readMayaFile(damagedFile("fuzzer_found_curve.ma")));
  ASSERT_EQ(scene.paths().size(), 1u);
  const CameraPath& path = scene.paths().front();
  ASSERT_FALSE(path.controlPoints.empty());
  for (float u : {0.0f, 0.5f, 1.0f}) {
    const Vec3 point = scene.curvePoint("fuzzer_found_curve.ma", u);
    EXPECT_EQ(point.x, path.controlPoints.front().x);
    EXPECT_EQ(point.y, path.controlPoints.front().y);
    EXPECT_EQ(point.z, path.controlPoints.front().z);
  }
}

TEST(DamagedFiles, PathOfOverflowingAndOrdinarySegmentsStaysAtItsFirstPoint) {
  CameraPath path;
  path.controlPoints = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0},
                        {3e38f, 0, 0}, {-3e38f, 0, 0}, {3e38f, 0, 0}};
  path.prepareSegments();
  Vec3 point{5, 5, 5};
  ASSERT_TRUE(path.curvePoint(0.25f, point));
  EXPECT_EQ(point.x, 0.0f);
  EXPECT_EQ(point.y, 0.0f);
}

}  // namespace
}  // namespace quintaval
