// Bezier path preparation and the two queries: arc-length positioning, clamping, the
// sampled table, and degenerate paths.
#include "geometry/camera_path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quintaval {
namespace {

CameraPath prepared(std::vector<Vec3> points) {
  CameraPath path;
  path.name = "CamCurve.ma";
  path.controlPoints = std::move(points);
  path.prepareSegments();
  path.buildSampledPath();
  return path;
}

Vec3 curveAt(const CameraPath& path, float u) {
  Vec3 point{-7, -7, -7};
  EXPECT_TRUE(path.curvePoint(u, point));
  return point;
}

Vec3 sampleAt(const CameraPath& path, float u) {
  Vec3 point{-7, -7, -7};
  EXPECT_TRUE(path.pathPoint(u, point));
  return point;
}

bool finite(const Vec3& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Segments along x: [0, 1] then [1, 4], each with evenly spaced control points.
const std::vector<Vec3> kOneThenThree = {{0, 0, 0}, {1.0f / 3, 0, 0}, {2.0f / 3, 0, 0},
                                         {1, 0, 0}, {2, 0, 0},        {3, 0, 0},
                                         {4, 0, 0}};

TEST(CameraPath, PreparationMeasuresEverySegment) {
  const CameraPath path = prepared({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
  EXPECT_EQ(path.segmentCount, 1);
  ASSERT_EQ(path.segments.size(), 1u);
  ASSERT_EQ(path.segments[0].arcTable.size(), 4997u);
  EXPECT_NEAR(path.segments[0].arcTable.back(), 1.0f, 1e-5f);
  EXPECT_NEAR(path.totalLength, 3.0f * 0.9994f, 1e-3f);  // measured up to t = 0.9994
  EXPECT_FLOAT_EQ(path.segments[0].fraction, 1.0f);
  EXPECT_EQ(path.sampledPath.size(), 3u * 5001u);

  EXPECT_EQ(prepared({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}}).segmentCount, 1);
  EXPECT_EQ(prepared(kOneThenThree).segmentCount, 2);
  EXPECT_EQ(prepared({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}).segmentCount, 0);
}

TEST(CameraPath, CurvePointFollowsTheLength) {
  const CameraPath straight = prepared({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
  const Vec3 start = curveAt(straight, 0.0f);
  EXPECT_EQ(start.x, 0.0f);
  const Vec3 middle = curveAt(straight, 0.5f);
  EXPECT_NEAR(middle.x, 1.5f, 2e-3f);
  EXPECT_FLOAT_EQ(middle.y, 0.0f);

  const CameraPath twoSegments = prepared(kOneThenThree);
  EXPECT_NEAR(twoSegments.segments[0].fraction, 0.25f, 1e-4f);
  EXPECT_NEAR(curveAt(twoSegments, 0.25f).x, 1.0f, 2e-3f);  // end of the first segment
  const float second = curveAt(twoSegments, 0.26f).x;
  EXPECT_GT(second, 1.0f);
  EXPECT_NEAR(second, 1.04f, 2e-3f);
}

TEST(CameraPath, FractionsOutsideZeroToOneAreClamped) {
  const CameraPath path = prepared(kOneThenThree);
  const Vec3 end = curveAt(path, 1.0f);
  EXPECT_NEAR(end.x, 4.0f, 1e-3f);
  EXPECT_EQ(curveAt(path, 7.0f).x, end.x);
  EXPECT_EQ(curveAt(path, -3.0f).x, 0.0f);

  const std::vector<float>& samples = path.sampledPath;
  EXPECT_EQ(sampleAt(path, 1.0f).x, samples[samples.size() - 3]);
  EXPECT_EQ(sampleAt(path, 2.0f).x, samples[samples.size() - 3]);
  EXPECT_EQ(sampleAt(path, -1.0f).x, samples[0]);
  EXPECT_EQ(sampleAt(path, 0.5f).x, samples[3 * 2500]);
}

TEST(CameraPath, TheEndOfALongPathIsReachedDespiteRounding) {
  // Twenty segments of uneven length: the fractions need not add up to u = 0.99999982.
  std::vector<Vec3> points{{0, 0, 0}};
  float x = 0.0f;
  for (int j = 0; j < 20; ++j) {
    const float step = 0.1f + 0.37f * static_cast<float>(j % 7);
    for (int k = 1; k <= 3; ++k) points.push_back({x + step * static_cast<float>(k) / 3, 0, 0});
    x += step;
  }
  const CameraPath path = prepared(points);
  EXPECT_NEAR(curveAt(path, 1.0f).x, x, 0.01f);
}

TEST(CameraPath, AZeroLengthPathGivesItsFirstControlPoint) {
  const CameraPath still = prepared({{2, 3, 4}, {2, 3, 4}, {2, 3, 4}, {2, 3, 4}});
  for (float u : {0.0f, 0.5f, 1.0f}) {
    const Vec3 p = curveAt(still, u);
    EXPECT_EQ(p.x, 2.0f);
    EXPECT_EQ(p.z, 4.0f);
    EXPECT_EQ(sampleAt(still, u).y, 3.0f);
  }
  // Fewer than four points: no segments, the same answer.
  EXPECT_EQ(curveAt(prepared({{5, 6, 7}, {8, 9, 1}}), 0.3f).x, 5.0f);
  // No points at all: nothing to give.
  Vec3 point;
  EXPECT_FALSE(prepared({}).curvePoint(0.5f, point));
}

TEST(CameraPath, AZeroLengthSegmentIsPassedOver) {
  const CameraPath path = prepared({{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 0, 0},
                                    {2, 0, 0}, {3, 0, 0}});
  EXPECT_EQ(path.segments[0].fraction, 0.0f);
  for (float u : {0.0f, 0.25f, 1.0f}) {
    EXPECT_TRUE(finite(curveAt(path, u)));
  }
  EXPECT_EQ(curveAt(path, 0.0f).x, 0.0f);
  EXPECT_NEAR(curveAt(path, 0.5f).x, 1.5f, 2e-3f);
}

}  // namespace
}  // namespace quintaval
