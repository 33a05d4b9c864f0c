#include "core/math.h"

#include <cmath>

namespace quintaval {

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(const Vec3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }

float dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float length(const Vec3& v) { return std::sqrt(dot(v, v)); }

Vec3 normalize(const Vec3& v) {
  float len = length(v);
  if (len == 0.0f) return v;
  return v * (1.0f / len);
}

Mat4::Mat4(float s) {
  for (float& e : m) e = 0.0f;
  m[0] = m[5] = m[10] = m[15] = s;
}

Mat4 operator*(const Mat4& a, const Mat4& b) {
  Mat4 r(0.0f);
  for (int c = 0; c < 4; ++c) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a.at(k, row) * b.at(c, k);
      r.at(c, row) = sum;
    }
  }
  return r;
}

Vec4 operator*(const Mat4& a, const Vec4& v) {
  float in[4] = {v.x, v.y, v.z, v.w};
  float out[4];
  for (int row = 0; row < 4; ++row) {
    out[row] = a.at(0, row) * in[0] + a.at(1, row) * in[1] + a.at(2, row) * in[2] +
               a.at(3, row) * in[3];
  }
  return {out[0], out[1], out[2], out[3]};
}

Mat4 translate(const Mat4& m, const Vec3& v) {
  Mat4 r = m;
  for (int row = 0; row < 4; ++row) {
    r.at(3, row) = m.at(0, row) * v.x + m.at(1, row) * v.y + m.at(2, row) * v.z + m.at(3, row);
  }
  return r;
}

Mat4 scale(const Mat4& m, const Vec3& v) {
  Mat4 r = m;
  const float factors[3] = {v.x, v.y, v.z};
  for (int c = 0; c < 3; ++c) {
    for (int row = 0; row < 4; ++row) r.at(c, row) = m.at(c, row) * factors[c];
  }
  return r;
}

Mat4 perspective(float fovy, float aspect, float zNear, float zFar) {
  const float t = std::tan(fovy / 2.0f);
  Mat4 r(0.0f);
  r.at(0, 0) = 1.0f / (aspect * t);
  r.at(1, 1) = 1.0f / t;
  r.at(2, 2) = -(zFar + zNear) / (zFar - zNear);
  r.at(2, 3) = -1.0f;
  r.at(3, 2) = -(2.0f * zFar * zNear) / (zFar - zNear);
  return r;
}

Mat4 lookAt(const Vec3& eye, const Vec3& centre, const Vec3& up) {
  const Vec3 f = normalize(centre - eye);
  const Vec3 s = normalize(cross(f, up));
  const Vec3 u = cross(s, f);
  Mat4 r(1.0f);
  // Rows 0 to 2 of the upper 3x3 are s, u and -f.
  r.at(0, 0) = s.x;
  r.at(1, 0) = s.y;
  r.at(2, 0) = s.z;
  r.at(0, 1) = u.x;
  r.at(1, 1) = u.y;
  r.at(2, 1) = u.z;
  r.at(0, 2) = -f.x;
  r.at(1, 2) = -f.y;
  r.at(2, 2) = -f.z;
  r.at(3, 0) = -dot(s, eye);
  r.at(3, 1) = -dot(u, eye);
  r.at(3, 2) = dot(f, eye);
  return r;
}

}  // namespace quintaval
