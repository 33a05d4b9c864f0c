// Builds a Wavefront OBJ text from triangles. Every vertex carries a position, a texture
// coordinate and a normal under one shared index, so faces are written as i/i/i; faces are
// triangles only, grouped with g and assigned materials with usemtl.
#pragma once

#include <string>

namespace quintaval::demo {

struct V3 {
  double x, y, z;
};

V3 operator+(V3 a, V3 b);
V3 operator-(V3 a, V3 b);
V3 operator*(V3 a, double s);
V3 cross(V3 a, V3 b);
V3 normalised(V3 v);

class ObjWriter {
 public:
  // mtlFile: the name written on the mtllib line.
  ObjWriter(const std::string& comment, const std::string& mtlFile);

  void group(const std::string& name);
  void useMaterial(const std::string& name);
  // Returns the 1-based index of the new vertex.
  int vertex(V3 position, double u, double v, V3 normal);
  void triangle(int a, int b, int c);

  int vertexCount() const { return vertices_; }
  int triangleCount() const { return triangles_; }
  // The whole file: header, then vertex data, then the faces in the order they were added.
  std::string text() const;

 private:
  std::string header_;
  std::string positions_, texCoords_, normals_, faces_;
  int vertices_ = 0;
  int triangles_ = 0;
};

// A number with at most four decimals and no trailing zeros, independent of the locale.
std::string compactNumber(double value);

}  // namespace quintaval::demo
