#include "core/math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quintaval {
namespace {

void expectMatrixNear(const Mat4& actual, const float (&expected)[16], float tolerance = 1e-5f) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected[i], tolerance) << "element " << i;
}

TEST(Mat4, DiagonalConstructorAndTranslationColumn) {
  Mat4 identity;
  Mat4 twos(2.0f);
  EXPECT_EQ(identity.m[0], 1.0f);
  EXPECT_EQ(identity.m[1], 0.0f);
  EXPECT_EQ(twos.m[10], 2.0f);
  EXPECT_EQ(twos.m[15], 2.0f);

  Mat4 t = translate(Mat4(), {1.0f, 2.0f, 3.0f});
  EXPECT_EQ(t.m[12], 1.0f);
  EXPECT_EQ(t.m[13], 2.0f);
  EXPECT_EQ(t.m[14], 3.0f);
}

TEST(Mat4, ProductAppliesRightOperandFirst) {
  // Scale by 2 then translate by (1, 0, 0): the point (1, 1, 1) lands on (3, 2, 2).
  Mat4 t = translate(Mat4(), {1.0f, 0.0f, 0.0f});
  Mat4 s = scale(Mat4(), {2.0f, 2.0f, 2.0f});
  Vec4 p = (t * s) * Vec4{1.0f, 1.0f, 1.0f, 1.0f};
  EXPECT_FLOAT_EQ(p.x, 3.0f);
  EXPECT_FLOAT_EQ(p.y, 2.0f);
  EXPECT_FLOAT_EQ(p.z, 2.0f);
  EXPECT_FLOAT_EQ(p.w, 1.0f);

  // The other order translates first: (1+1)*2 = 4.
  Vec4 q = (s * t) * Vec4{1.0f, 1.0f, 1.0f, 1.0f};
  EXPECT_FLOAT_EQ(q.x, 4.0f);
}

TEST(Mat4, TranslateAndScaleComposeWithExistingMatrix) {
  // translate(M, v) = M * T(v): on a scaled matrix the offset is scaled too.
  Mat4 m = translate(scale(Mat4(), {2.0f, 3.0f, 4.0f}), {1.0f, 1.0f, 1.0f});
  float expected[16] = {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 2, 3, 4, 1};
  expectMatrixNear(m, expected);
}

TEST(Mat4, PerspectiveMatchesWorkedValues) {
  // fovy 90 degrees: t = tan(45°) = 1; aspect 2, near 1, far 3.
  Mat4 p = perspective(90.0f * kDegreesToRadians, 2.0f, 1.0f, 3.0f);
  float expected[16] = {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -2, -1, 0, 0, -3, 0};
  expectMatrixNear(p, expected);
}

TEST(Mat4, LookAtDownNegativeZIsIdentity) {
  Mat4 v = lookAt({0, 0, 0}, {0, 0, -1}, {0, 1, 0});
  float expected[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  expectMatrixNear(v, expected);
}

TEST(Mat4, LookAtMovesEyeToOrigin) {
  Vec3 eye{3.0f, 4.0f, 5.0f};
  Mat4 v = lookAt(eye, {3.0f, 4.0f, 0.0f}, {0, 1, 0});
  Vec4 e = v * Vec4{eye.x, eye.y, eye.z, 1.0f};
  EXPECT_NEAR(e.x, 0.0f, 1e-5f);
  EXPECT_NEAR(e.y, 0.0f, 1e-5f);
  EXPECT_NEAR(e.z, 0.0f, 1e-5f);
  // The centre is straight ahead, 5 units down the view's -z axis.
  Vec4 c = v * Vec4{3.0f, 4.0f, 0.0f, 1.0f};
  EXPECT_NEAR(c.z, -5.0f, 1e-5f);
}

TEST(Mat4, LookAtRollCasesOfTheCamera) {
  // The 3D scene turns a roll angle r into the up vector (cos r, sin r, 0).
  auto upForRoll = [](float degrees) {
    float r = degrees * kDegreesToRadians;
    return Vec3{std::cos(r), std::sin(r), 0.0f};
  };
  // Roll 90 gives up (0, 1, 0): the ordinary upright camera looking down -z.
  Vec3 up90 = upForRoll(90.0f);
  EXPECT_NEAR(up90.x, 0.0f, 1e-6f);
  EXPECT_NEAR(up90.y, 1.0f, 1e-6f);
  Mat4 upright = lookAt({0, 0, 0}, {0, 0, -1}, up90);
  EXPECT_NEAR(upright.at(0, 0), 1.0f, 1e-6f);
  EXPECT_NEAR(upright.at(1, 1), 1.0f, 1e-6f);

  // Roll 0 gives up (1, 0, 0): world +x appears as view +y, world +y as view -x.
  Mat4 rolled = lookAt({0, 0, 0}, {0, 0, -1}, upForRoll(0.0f));
  Vec4 x = rolled * Vec4{1, 0, 0, 1};
  Vec4 y = rolled * Vec4{0, 1, 0, 1};
  EXPECT_NEAR(x.y, 1.0f, 1e-6f);
  EXPECT_NEAR(x.x, 0.0f, 1e-6f);
  EXPECT_NEAR(y.x, -1.0f, 1e-6f);
}

TEST(Vec3, NormalizeOfZeroStaysFinite) {
  Vec3 n = normalize({0, 0, 0});
  EXPECT_EQ(n.x, 0.0f);
  EXPECT_FALSE(std::isnan(n.y));
}

}  // namespace
}  // namespace quintaval
