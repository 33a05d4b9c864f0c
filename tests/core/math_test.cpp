// Matrix products, transforms, projection and view matrices by worked values
// (column-major: the translation sits in elements 12 to 14).
#include "core/math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quintaval {
namespace {

void expectNear(const std::vector<float>& actual, const std::vector<float>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "element " << i;
}
void expectNear(const Vec4& v, const std::vector<float>& expected) {
  expectNear(std::vector<float>{v.x, v.y, v.z, v.w}, expected);
}
void expectNear(const Mat4& m, const std::vector<float>& expected) {
  expectNear(std::vector<float>(m.m, m.m + 16), expected);
}

TEST(Mat4, ProductsApplyTheRightOperandFirstAndTransformsComposeOnTheRight) {
  // Scale by 2 then move by (1, 0, 0): (1, 1, 1) lands on (3, 2, 2); the other order on (4, 2, 2).
  const Mat4 t = translate(Mat4(), {1, 0, 0}), s = scale(Mat4(), {2, 2, 2});
  expectNear((t * s) * Vec4{1, 1, 1, 1}, {3, 2, 2, 1});
  expectNear((s * t) * Vec4{1, 1, 1, 1}, {4, 2, 2, 1});
  // translate(M, v) = M * T(v): on a scaled matrix the offset is scaled too.
  expectNear(translate(scale(Mat4(), {2, 3, 4}), {1, 1, 1}), {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 2, 3, 4, 1});
  // scale(M, v) = M * S(v) scales the first three columns only: a translation stays put.
  expectNear(scale(translate(Mat4(), {1, 2, 3}), {2, 3, 4}), {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 1, 2, 3, 1});
}

TEST(Mat4, PerspectiveMatchesWorkedValues) {
  // fovy 90 degrees (tan 45° = 1), aspect 2, near 1, far 3.
  expectNear(perspective(90.0f * kDegreesToRadians, 2.0f, 1.0f, 3.0f),
             {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -2, -1, 0, 0, -3, 0});
}

TEST(Mat4, LookAtPutsTheEyeAtTheOriginLookingDownMinusZWithUpAsPlusY) {
  const struct { Vec3 eye, centre, up, point; std::vector<float> seen; } cases[] = {
      {{0, 0, 0}, {0, 0, -1}, {0, 1, 0}, {1, 2, 3}, {1, 2, 3, 1}},  // the identity
      {{3, 4, 5}, {3, 4, 0}, {0, 1, 0}, {3, 4, 5}, {0, 0, 0, 1}},
      {{3, 4, 5}, {3, 4, 0}, {0, 1, 0}, {3, 4, 0}, {0, 0, -5, 1}},
      // Up (1, 0, 0), the 3D scene's roll of 0: world +x shows as +y, world +y as -x.
      {{0, 0, 0}, {0, 0, -1}, {1, 0, 0}, {1, 0, 0}, {0, 1, 0, 1}},
      {{0, 0, 0}, {0, 0, -1}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "up x " << c.up.x << ", point " << c.point.x << " " << c.point.y);
    expectNear(lookAt(c.eye, c.centre, c.up) * Vec4{c.point.x, c.point.y, c.point.z, 1}, c.seen);
  }
}

TEST(Vec3, NormalizeOfZeroStaysFinite) {
  const Vec3 n = normalize({0, 0, 0});
  EXPECT_EQ(n.x, 0.0f);
  EXPECT_FALSE(std::isnan(n.y));
}

}  // namespace
}  // namespace quintaval
