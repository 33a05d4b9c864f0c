// Draw data of a model. Every face corner becomes one vertex of eight floats (no
// sharing); corners without a texture coordinate or normal get zeros so that the layout
// stays fixed. Faces are cut into triangles as fans around their first corner, so quads
// and polygons draw as their file describes with one triangle-list draw per range. A
// face of fewer than three corners has no area and adds nothing.
#include "geometry/model_data.h"

#include <new>

namespace quintaval {

namespace {

const Material& defaultMaterial() {
  static const Material material;
  return material;
}

}  // namespace

const Material& ModelData::materialAt(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= materials.size()) {
    return defaultMaterial();
  }
  return materials[static_cast<std::size_t>(index)];
}

bool ModelData::buildDrawData() {
  try {
    fillDrawData();
  } catch (const std::bad_alloc&) {
    // Too large for memory: the model gets no draw data at all, and its memory back.
    vertexData = std::vector<float>();
    indexData = std::vector<std::uint32_t>();
    ranges = std::vector<DrawRange>();
    pointData = std::vector<float>();
    vertexCount = 0;
    return false;
  }
  return true;
}

void ModelData::fillDrawData() {
  vertexData.clear();
  indexData.clear();
  ranges.clear();
  pointData.clear();
  vertexCount = 0;

  std::size_t triangles = 0;
  std::size_t vertices = 0;
  for (const FaceGroup& group : groups) {
    for (const Face& face : group.faces) {
      if (face.positionCount >= 3) {
        vertices += static_cast<std::size_t>(face.positionCount);
        triangles += static_cast<std::size_t>(face.positionCount - 2);
      }
    }
  }
  vertexData.reserve(vertices * kFloatsPerVertex);
  indexData.reserve(triangles * 3);

  for (const FaceGroup& group : groups) {
    bool rangeOpen = false;  // ranges never span two groups
    for (const Face& face : group.faces) {
      if (face.positionCount < 3) {
        continue;
      }
      if (!rangeOpen || ranges.back().primitive != face.primitive ||
          ranges.back().material != face.material) {
        DrawRange range;
        range.primitive = face.primitive;
        range.first = static_cast<int>(indexData.size());
        range.material = face.material;
        ranges.push_back(range);
        rangeOpen = true;
      }
      const auto base = static_cast<std::uint32_t>(vertexCount);
      for (int i = 0; i < face.positionCount; ++i) {
        const Corner& corner = corners[static_cast<std::size_t>(face.firstCorner + i)];
        const Vec3& p = positions[static_cast<std::size_t>(corner.position)];
        const Vec2 t = corner.texCoord >= 0 ? texCoords[static_cast<std::size_t>(corner.texCoord)]
                                            : Vec2{};
        const Vec3 n = corner.normal >= 0 ? normals[static_cast<std::size_t>(corner.normal)]
                                          : Vec3{};
        vertexData.insert(vertexData.end(), {p.x, p.y, p.z, t.x, t.y, n.x, n.y, n.z});
        ++vertexCount;
      }
      for (int i = 1; i + 1 < face.positionCount; ++i) {
        indexData.insert(indexData.end(), {base, base + static_cast<std::uint32_t>(i),
                                           base + static_cast<std::uint32_t>(i + 1)});
      }
      ranges.back().count += 3 * (face.positionCount - 2);
    }
  }

  if (drawsAsPoints()) {
    pointData.reserve(positions.size() * 3);
    for (const Vec3& p : positions) {
      pointData.insert(pointData.end(), {p.x, p.y, p.z});
    }
  }
}

}  // namespace quintaval
