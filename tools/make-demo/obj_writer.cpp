// ObjWriter: OBJ text assembly.
#include "obj_writer.h"

#include <cmath>
#include <cstdio>

namespace quintaval::demo {

V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 normalised(V3 v) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return length > 0 ? v * (1.0 / length) : V3{0, 1, 0};
}

std::string compactNumber(double value) {
  // The generator never changes the C locale, so %f writes a decimal point.
  char text[40];
  std::snprintf(text, sizeof text, "%.4f", value);
  std::string s = text;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

ObjWriter::ObjWriter(const std::string& comment, const std::string& mtlFile)
    : header_("# " + comment + "\nmtllib " + mtlFile + "\n") {}

void ObjWriter::group(const std::string& name) { faces_ += "g " + name + "\n"; }

void ObjWriter::useMaterial(const std::string& name) { faces_ += "usemtl " + name + "\n"; }

int ObjWriter::vertex(V3 p, double u, double v, V3 n) {
  positions_ += "v " + compactNumber(p.x) + " " + compactNumber(p.y) + " " + compactNumber(p.z) + "\n";
  texCoords_ += "vt " + compactNumber(u) + " " + compactNumber(v) + "\n";
  normals_ += "vn " + compactNumber(n.x) + " " + compactNumber(n.y) + " " + compactNumber(n.z) + "\n";
  return ++vertices_;
}

void ObjWriter::triangle(int a, int b, int c) {
  const std::string sa = std::to_string(a), sb = std::to_string(b), sc = std::to_string(c);
  faces_ += "f " + sa + "/" + sa + "/" + sa + " " + sb + "/" + sb + "/" + sb + " " + sc + "/" + sc + "/" + sc + "\n";
  ++triangles_;
}

std::string ObjWriter::text() const {
  char counts[96];
  std::snprintf(counts, sizeof counts, "# %d vertices, %d triangles\n", vertices_, triangles_);
  return header_ + counts + positions_ + texCoords_ + normals_ + faces_;
}

}  // namespace quintaval::demo
