// Bezier path preparation and the two queries: arc-length positioning, clamping, the
// sampled table, and degenerate paths (zero length, or a length that overflows).
#include "geometry/camera_path.h"

#include <gtest/gtest.h>

#include <vector>

namespace quintaval {
namespace {

CameraPath prepared(std::vector<Vec3> points) {
  CameraPath path;
  path.controlPoints = std::move(points);
  path.prepareSegments();
  path.buildSampledPath();
  return path;
}

// The curve point at u, or the sampled one.
Vec3 at(const CameraPath& path, float u, bool sampled = false) {
  Vec3 point{-7, -7, -7};
  EXPECT_TRUE(sampled ? path.pathPoint(u, point) : path.curvePoint(u, point));
  return point;
}

// n control points evenly spaced along x, one unit apart.
std::vector<Vec3> line(int n) {
  std::vector<Vec3> points;
  for (int i = 0; i < n; ++i) points.push_back({static_cast<float>(i), 0, 0});
  return points;
}

TEST(CameraPath, PreparationMeasuresEverySegment) {
  const CameraPath path = prepared(line(4));
  ASSERT_EQ(path.segments.size(), 1u);
  EXPECT_NEAR(path.totalLength, 3.0f * 0.9994f, 1e-3f);  // measured up to t = 0.9994
  EXPECT_EQ(path.sampledPath.size(), 3u * 5001u);  // stepping by 1/5000 rounds to 5001

  // Every three points after the first make a segment; leftovers are ignored.
  for (auto [points, segments] : {std::pair{4, 1}, {5, 1}, {7, 2}, {3, 0}}) {
    EXPECT_EQ(prepared(line(points)).segmentCount, segments) << points << " points";
  }
}

TEST(CameraPath, BothQueriesFollowTheLengthWithUClamped) {
  const CameraPath straight = prepared(line(4));
  // Segments along x: [0, 1] then [1, 4], each with evenly spaced control points.
  const CameraPath path = prepared({{0, 0, 0}, {1.0f / 3, 0, 0}, {2.0f / 3, 0, 0}, {1, 0, 0}, {2, 0, 0},
                                    {3, 0, 0}, {4, 0, 0}});
  EXPECT_NEAR(path.segments[0].fraction, 0.25f, 1e-4f);
  const struct { const CameraPath& path; float u, x; } cases[] = {
      {straight, 0.0f, 0.0f}, {straight, 0.5f, 1.5f}, {path, 0.25f, 1.0f},  // the end of the first segment
      {path, 0.26f, 1.04f},   {path, 1.0f, 4.0f}};
  for (const auto& c : cases) {
    EXPECT_NEAR(at(c.path, c.u).x, c.x, 2e-3f) << "u = " << c.u;
    EXPECT_EQ(at(c.path, c.u).y, 0.0f) << "u = " << c.u;
  }
  EXPECT_EQ(at(path, 7.0f).x, at(path, 1.0f).x);
  EXPECT_EQ(at(path, -3.0f).x, 0.0f);

  const std::vector<float>& samples = path.sampledPath;
  EXPECT_EQ(at(path, 1.0f, true).x, samples[samples.size() - 3]);
  EXPECT_EQ(at(path, 2.0f, true).x, samples[samples.size() - 3]);
  EXPECT_EQ(at(path, -1.0f, true).x, samples[0]);
  EXPECT_EQ(at(path, 0.5f, true).x, samples[3 * 2500]);
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
  EXPECT_NEAR(at(prepared(points), 1.0f).x, x, 0.01f);
}

TEST(CameraPath, DegeneratePathsGiveTheirFirstControlPoint) {
  // Zero length; fewer than four points (no segments); no points at all (nothing to give).
  const CameraPath still = prepared({{2, 3, 4}, {2, 3, 4}, {2, 3, 4}, {2, 3, 4}});
  for (float u : {0.0f, 0.5f, 1.0f}) {
    const Vec3 p = at(still, u);
    EXPECT_EQ(p.x, 2.0f);
    EXPECT_EQ(p.z, 4.0f);
    EXPECT_EQ(at(still, u, true).y, 3.0f);
  }
  EXPECT_EQ(at(prepared({{5, 6, 7}, {8, 9, 1}}), 0.3f).x, 5.0f);
  Vec3 point;
  EXPECT_FALSE(prepared({}).curvePoint(0.5f, point));

  // A segment whose length overflows after an ordinary one: no segment can be chosen.
  std::vector<Vec3> overflowing = line(4);
  overflowing.insert(overflowing.end(), {{3e38f, 0, 0}, {-3e38f, 0, 0}, {3e38f, 0, 0}});
  EXPECT_EQ(at(prepared(overflowing), 0.25f).x, 0.0f);
}

TEST(CameraPath, AZeroLengthSegmentIsPassedOver) {
  std::vector<Vec3> points(3, Vec3{});
  for (const Vec3& p : line(4)) points.push_back(p);
  const CameraPath path = prepared(points);
  EXPECT_EQ(path.segments[0].fraction, 0.0f);
  EXPECT_EQ(at(path, 0.0f).x, 0.0f);
  EXPECT_NEAR(at(path, 0.5f).x, 1.5f, 2e-3f);
  EXPECT_NEAR(at(path, 1.0f).x, 3.0f, 1e-3f);
}

}  // namespace
}  // namespace quintaval
