// Damaged and hostile geometry files that once crashed or misread memory, each kept in
// tests/geometry/damaged/ and read the way the program reads it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "geometry/camera_path.h"
#include "geometry/maya_scene.h"

namespace quintaval {
namespace {

std::vector<float> xyz(const Vec3& v) { return {v.x, v.y, v.z}; }

// Curves whose points are finite but whose squared distances overflow: the length is
// infinite, every segment's share of it 0 or NaN. Such a path stays at its first point
// instead of looking up a segment that does not exist.
//   overflowing_curve.ma   points near the float limits
//   fuzzer_found_curve.ma  the same fault as the fuzzer found it in a mangled file: one
//                          coordinate of 1e32, after a scale line
TEST(DamagedFiles, CurvesWhoseLengthOverflowsStayAtTheirFirstPoint) {
  const char* source = std::getenv("QV_SOURCE_DIR");
  for (const std::string name : {"overflowing_curve.ma", "fuzzer_found_curve.ma"}) {
    SCOPED_TRACE(name);
    MayaScene scene;
    ASSERT_TRUE(scene.readMayaFile(std::string(source != nullptr ? source : ".") +
                                   "/tests/geometry/damaged/" + name));
    ASSERT_EQ(scene.paths().size(), 1u);
    const CameraPath& path = scene.paths().front();
    ASSERT_FALSE(path.controlPoints.empty());
    for (float u : {0.0f, 0.5f, 1.0f}) {
      EXPECT_EQ(xyz(scene.curvePoint(name, u)), xyz(path.controlPoints.front())) << u;
      EXPECT_EQ(xyz(scene.pathPoint(name, u)), xyz(path.controlPoints.front())) << u;
    }
  }
}

TEST(DamagedFiles, PathOfOverflowingAndOrdinarySegmentsStaysAtItsFirstPoint) {
  CameraPath path;
  path.controlPoints = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0},
                        {3e38f, 0, 0}, {-3e38f, 0, 0}, {3e38f, 0, 0}};
  path.prepareSegments();
  Vec3 point{5, 5, 5};
  ASSERT_TRUE(path.curvePoint(0.25f, point));
  EXPECT_EQ(xyz(point), (std::vector<float>{0, 0, 0}));
}

}  // namespace
}  // namespace quintaval
