// The CPU side of a model read from an OBJ file: its records, faces, groups and
// materials, and the draw data built from them (interleaved vertices, indices, ranges).
//
// Records are held by value; a face refers to its corners by position in `corners`, and a
// corner to its records by 0-based index (-1: the corner has none of that kind). Materials
// are referred to by index into `materials`, -1 meaning the default material (the
// colours and properties of a fresh Material). Nothing here touches GL: Model uploads
// and draws this data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/math.h"
#include "geometry/material.h"

namespace quintaval {

// GL primitive codes recorded on faces and draw ranges.
constexpr int kPrimitiveTriangles = 4;    // three corners or fewer
constexpr int kPrimitiveQuads = 7;        // exactly four
constexpr int kPrimitiveTriangleFan = 6;  // five or more

// Floats per vertex in `vertexData`: position xyz, texture coordinate uv, normal xyz.
constexpr int kFloatsPerVertex = 8;

struct Corner {
  std::int32_t position = -1;
  std::int32_t texCoord = -1;
  std::int32_t normal = -1;
};

// One f line.
struct Face {
  int primitive = kPrimitiveTriangles;
  int firstCorner = 0;     // into ModelData::corners
  int positionCount = 0;   // corners of the face
  int normalCount = 0;     // corners that carry a normal
  int texCoordCount = 0;   // corners that carry a texture coordinate
  int material = -1;       // the current material when the line was read
};

struct FaceGroup {
  std::vector<Face> faces;
  std::string name;  // empty for the initial group
};

// A run of faces of one group drawn with one material.
struct DrawRange {
  int primitive = kPrimitiveTriangles;  // the primitive recorded on its faces
  int count = 0;                        // indices, always whole triangles
  int first = 0;                        // position of its first index in indexData
  int material = -1;
};

struct ModelData {
  std::vector<FaceGroup> groups;
  std::vector<Corner> corners;
  std::vector<Vec3> positions;
  std::vector<Vec3> normals;
  std::vector<Vec2> texCoords;
  std::vector<Material> materials;

  std::vector<float> vertexData;
  std::vector<std::uint32_t> indexData;
  int vertexCount = 0;
  std::vector<DrawRange> ranges;
  std::vector<float> pointData;

  bool loaded = false;
  std::string fileName;
  int droppedFaces = 0;   // f lines rejected for their indices
  int stoppedAtLine = 0;  // the line that was too long and ended the reading, or 0

  // Models with neither normals nor texture coordinates are drawn as points.
  bool drawsAsPoints() const { return normals.empty() && texCoords.empty(); }

  // The material a face or range with material index `index` is drawn with.
  const Material& materialAt(int index) const;

  // Fills vertexData, indexData, vertexCount, ranges and, for the point form, pointData.
  // False, with all of them empty, when there is not enough memory for them.
  bool buildDrawData();

 private:
  void fillDrawData();
};

}  // namespace quintaval
