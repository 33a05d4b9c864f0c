// OBJ parsing. The text is read into memory once and walked line by line without
// copying; numbers go through the locale-independent scanner.
//
// Face entries: for each entry, a position index is read when positions exist; then, when
// texture coordinates exist and the entry is not of the form p//n, a texture index; then,
// when normals exist, a normal index. Each index must be a whole positive integer that
// ends at a '/' or at the end of the entry; indices an entry leaves out give the corner
// no record of that kind, and extra ones are ignored. Entries are separated by blanks
// (tabs as well as spaces).
#include "geometry/obj_reader.h"

#include <algorithm>
#include <new>

#include "geometry/mtl_reader.h"
#include "textio/line_reader.h"
#include "textio/line_scanner.h"

namespace quintaval {

namespace {

// A 1-based index into a list of `count` records, as a 0-based index. The digits must run
// up to a '/' or the end of the entry. False for anything that does not name a record.
bool readIndex(const char*& p, const char* end, std::size_t count, std::int32_t& index) {
  long long value = 0;
  if (!parseInt(p, end, value) || (p < end && *p != '/') || value < 1 ||
      static_cast<unsigned long long>(value) > count) {
    return false;
  }
  index = static_cast<std::int32_t>(value - 1);
  return true;
}

// Steps over the '/' that ends an index, if there is one.
void skipSlash(const char*& p, const char* end) {
  if (p < end && *p == '/') {
    ++p;
  }
}

bool readCorner(std::string_view entry, const ModelData& model, Corner& corner) {
  const char* p = entry.data();
  const char* end = p + entry.size();
  if (!readIndex(p, end, model.positions.size(), corner.position)) {
    return false;
  }
  skipSlash(p, end);
  bool noTexCoord = false;
  if (p < end && *p == '/') {
    noTexCoord = true;  // p//n
    ++p;
  }
  if (!model.texCoords.empty() && !noTexCoord && p < end) {
    if (!readIndex(p, end, model.texCoords.size(), corner.texCoord)) {
      return false;
    }
    skipSlash(p, end);
  }
  if (!model.normals.empty() && p < end) {
    if (!readIndex(p, end, model.normals.size(), corner.normal)) {
      return false;
    }
  }
  return true;
}

int primitiveFor(int cornerCount) {
  if (cornerCount <= 3) return kPrimitiveTriangles;
  if (cornerCount == 4) return kPrimitiveQuads;
  return kPrimitiveTriangleFan;
}

void readFace(LineScanner& scan, int material, ModelData& model, FaceGroup& group) {
  Face face;
  face.firstCorner = static_cast<int>(model.corners.size());
  face.material = material;
  bool valid = !model.positions.empty();
  for (std::string_view entry = scan.nextWord(); valid && !entry.empty();
       entry = scan.nextWord()) {
    Corner corner;
    valid = readCorner(entry, model, corner);
    if (valid) {
      model.corners.push_back(corner);
      ++face.positionCount;
      face.texCoordCount += corner.texCoord >= 0 ? 1 : 0;
      face.normalCount += corner.normal >= 0 ? 1 : 0;
    }
  }
  if (!valid || face.positionCount == 0) {
    model.corners.resize(static_cast<std::size_t>(face.firstCorner));
    ++model.droppedFaces;
    return;
  }
  face.primitive = primitiveFor(face.positionCount);
  group.faces.push_back(face);
}

}  // namespace

std::string directoryOf(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

namespace {

// Files beyond this size get no more room up front than one of this size; their lists
// grow as records are read. A sparse file, or one of many gigabytes, may claim far more
// than memory allows.
constexpr std::size_t kReserveForAtMost = std::size_t{64} << 20;

// Room for the records and corners a file of `bytes` typically holds, so that large
// models are not copied over and over while their lists grow. Capacity that stays unused
// is address space only: its pages are never touched.
void reserveFor(std::size_t bytes, ModelData& model) {
  bytes = std::min(bytes, kReserveForAtMost);
  model.corners.reserve(model.corners.size() + bytes / 24);
  model.positions.reserve(model.positions.size() + bytes / 96);
  model.texCoords.reserve(model.texCoords.size() + bytes / 128);
  model.normals.reserve(model.normals.size() + bytes / 128);
}

void readObjLines(LineReader& lines, const std::string& directory, ModelData& model) {
  reserveFor(lines.totalSize(), model);
  model.groups.emplace_back();
  std::size_t currentGroup = model.groups.size() - 1;
  const std::size_t initialGroup = currentGroup;
  int currentMaterial = -1;

  std::string_view line;
  while (lines.next(line)) {
    LineScanner scan(line);
    const std::string_view keyword = scan.nextWord();
    if (keyword.empty()) {
      continue;
    }
    if (keyword == "v") {
      model.positions.push_back(scan.readVec3());
    } else if (keyword == "f") {
      readFace(scan, currentMaterial, model, model.groups[currentGroup]);
    } else if (keyword == "vt") {
      Vec2 t;
      t.x = scan.readFloat();
      t.y = scan.readFloat();
      model.texCoords.push_back(t);
    } else if (keyword == "vn") {
      model.normals.push_back(scan.readVec3());
    } else if (keyword == "g") {
      const std::string_view name = scan.nextWord();
      if (name == "default") {
        currentGroup = initialGroup;
      } else {
        model.groups.emplace_back();
        model.groups.back().name.assign(name);
        currentGroup = model.groups.size() - 1;
      }
    } else if (keyword == "usemtl") {
      const std::string_view name = scan.nextWord();
      for (std::size_t i = 0; i < model.materials.size(); ++i) {
        if (model.materials[i].name == name) {
          currentMaterial = static_cast<int>(i);
          break;
        }
      }
    } else if (keyword == "mtllib") {
      // Only the last word names the file, so "mtllib a.mtl b.mtl" reads b.mtl.
      const std::string_view name = scan.lastWord();
      if (!name.empty()) {
        readMaterialLibrary(directory + std::string(name), model.materials);
      }
    }
  }
  model.stoppedAtLine = lines.stoppedAtLine();
}

}  // namespace

void readObjText(std::string_view text, const std::string& directory, ModelData& model) {
  LineReader lines(text, kObjLineLimit);
  readObjLines(lines, directory, model);
}

bool readObjFile(const std::string& path, ModelData& model) {
  model.fileName = path;
  LineReader lines(FilePath{path}, kObjLineLimit);
  if (!lines.opened()) {
    return false;
  }
  model.loaded = false;
  try {
    readObjLines(lines, directoryOf(path), model);
  } catch (const std::bad_alloc&) {
    // A model too large for memory is a file that cannot be read.
    model = ModelData{};
    model.fileName = path;
    return false;
  }
  model.loaded = true;
  return true;
}

}  // namespace quintaval
