// Single-precision vector and matrix types shared by every subsystem.
//
// Mat4 is column-major: element (column c, row r) sits at index 4c + r, so the
// translation lives in elements 12 to 14 and a matrix goes to GL untransposed.
// Products are in the column-vector sense: (A * B) * v applies B first.
// Angles are radians; kDegreesToRadians converts degrees.
#pragma once

namespace quintaval {

constexpr float kDegreesToRadians = 0.0174532924f;

struct Vec2 {
  float x = 0.0f;
  float y = 0.0f;
};

struct Vec3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

struct Vec4 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 0.0f;
};

Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(const Vec3& v, float s);
float dot(const Vec3& a, const Vec3& b);
Vec3 cross(const Vec3& a, const Vec3& b);
float length(const Vec3& v);
// A zero vector stays zero instead of turning into not-a-number.
Vec3 normalize(const Vec3& v);

struct Mat4 {
  float m[16];

  // s on the diagonal, 0 elsewhere: Mat4() and Mat4(1) are the identity.
  explicit Mat4(float s = 1.0f);

  float& at(int column, int row) { return m[4 * column + row]; }
  float at(int column, int row) const { return m[4 * column + row]; }
  const float* data() const { return m; }
};

Mat4 operator*(const Mat4& a, const Mat4& b);
Vec4 operator*(const Mat4& a, const Vec4& v);

// M * T(v): column 3 becomes M0*v.x + M1*v.y + M2*v.z + M3.
Mat4 translate(const Mat4& m, const Vec3& v);
// M * S(v): columns 0 to 2 are multiplied by v.x, v.y, v.z.
Mat4 scale(const Mat4& m, const Vec3& v);
// fovy in radians.
Mat4 perspective(float fovy, float aspect, float zNear, float zFar);
// Right-handed view matrix looking from eye towards centre.
Mat4 lookAt(const Vec3& eye, const Vec3& centre, const Vec3& up);

}  // namespace quintaval
