// Maya ASCII reading. The file is read line by line; each line is put through a fixed
// sequence of checks, several of which may act on the same line:
//   1. control points of the curve being read (count line, n point lines, then the line
//      that completes the curve);
//   2./3. attribute lines of an open point or ambient light (".cl", ".in"; any other
//      setAttr completes the light);
//   4. the curve header: three lines ignored, then the knot line (its knots may run on
//      over further lines);
//   5. a light created on the previous line starts taking attributes, so the line right
//      after a light's createNode is never read for them;
//   6. transform values (".t", ".r", ".s") while the lines after a transform's createNode
//      are setAttr lines;
//   7. createNode.
// At the end of the file a curve whose control points were all read is complete, also
// without the line that normally follows them (a file may end with its last point);
// lights, and curves still short of points, are dropped there.
#include "geometry/maya_scene.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "textio/line_reader.h"
#include "textio/line_scanner.h"

namespace quintaval {

namespace {

const Vec3 kUnit{1.0f, 1.0f, 1.0f};

// An attribute line of an open light (the word after "setAttr" onwards). False when the
// line names another attribute, which completes the light.
bool readLightAttribute(LineScanner scan, Vec3& color, float& intensity) {
  const std::string_view attribute = scan.nextWord();
  if (attribute == "\".cl\"") {
    scan.skipWords(2);  // -type "float3"
    color = scan.readVec3();
    return true;
  }
  if (attribute == "\".in\"") {
    intensity = scan.readFloat();
    return true;
  }
  return false;
}

bool isZero(const Vec3& v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }

// Rotates about X, then Y, then Z, in single precision, angles in degrees.
Vec3 rotate(const Vec3& p, const Vec3& degrees) {
  const float a = degrees.x * kDegreesToRadians;
  const float b = degrees.y * kDegreesToRadians;
  const float c = degrees.z * kDegreesToRadians;
  const float y1 = p.y * std::cos(a) - p.z * std::sin(a);
  const float z1 = p.y * std::sin(a) + p.z * std::cos(a);
  const float x2 = z1 * std::sin(b) + p.x * std::cos(b);
  const float z2 = z1 * std::cos(b) - p.x * std::sin(b);
  const float x3 = x2 * std::cos(c) - y1 * std::sin(c);
  const float y3 = x2 * std::sin(c) + y1 * std::cos(c);
  return Vec3{x3, y3, z2};
}

// One light between its createNode line and its completion.
template <typename Light>
struct OpenLight {
  std::optional<Light> light;
  bool pending = false;  // created on the previous line
  bool reading = false;  // attribute lines are read

  void create(const std::string& name, const std::string& path) {
    light.emplace();
    light->name = name;
    light->path = path;
    pending = true;
    reading = false;
  }
  // Step 2/3: true when this line completed the light.
  bool examine(std::string_view first, const LineScanner& rest) {
    if (!reading || first != "setAttr") {
      return false;
    }
    return !readLightAttribute(rest, light->color, light->intensity);
  }
  void startReadingIfPending() {
    if (pending) {
      pending = false;
      reading = true;
    }
  }
  Light take() {
    Light done = std::move(*light);
    light.reset();
    reading = false;
    return done;
  }
};

}  // namespace

std::string mayaObjectName(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");  // either separator: Windows paths have both
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool MayaScene::rereadMayaFile(const std::string& path) {
  MayaScene fresh;
  if (!fresh.readMayaFile(path)) return false;
  auto replace = [&path](auto& objects, auto& freshObjects) {
    objects.erase(std::remove_if(objects.begin(), objects.end(), [&path](const auto& o) { return o.path == path; }),
                  objects.end());
    objects.insert(objects.end(), freshObjects.begin(), freshObjects.end());
  };
  replace(paths_, fresh.paths_);
  replace(pointLights_, fresh.pointLights_);
  replace(ambientLights_, fresh.ambientLights_);
  return true;
}

bool MayaScene::readMayaFile(const std::string& path) {
  if (path.empty()) {
    return false;
  }
  scale_ = rotation_ = translation_ = Vec3{};
  LineReader lines(FilePath{path}, kMayaLineLimit);
  return lines.opened() && readMayaLines(lines, path);
}

bool MayaScene::readMayaText(std::string_view text, const std::string& path) {
  LineReader lines(text, kMayaLineLimit);
  return readMayaLines(lines, path);
}

bool MayaScene::readMayaLines(LineReader& lines, const std::string& path) {
  scale_ = rotation_ = translation_ = Vec3{};
  std::string_view line;
  if (!lines.next(line) || LineScanner(line).nextWord() != "//Maya") {
    return false;
  }
  const std::string name = mayaObjectName(path);

  bool transformMode = false;
  OpenLight<PointLight> pointLight;
  OpenLight<AmbientLight> ambientLight;
  std::optional<CameraPath> curve;
  bool headerMode = false;
  int headerLine = 0;
  bool pointMode = false;
  bool countRead = false;
  int pointCount = 0;

  while (lines.next(line)) {
    const LineScanner atStart(line);
    LineScanner scan = atStart;
    std::string_view first = scan.nextWord();
    std::string knotCount;  // holds the first word once further lines were read

    if (pointMode) {
      if (!countRead) {
        pointCount = LineScanner(first).readInt();
        countRead = true;
      } else if (static_cast<int>(curve->controlPoints.size()) < pointCount) {
        LineScanner coordinates = atStart;
        curve->controlPoints.push_back(coordinates.readVec3());
      } else {
        completeCurve(std::move(*curve));
        curve.reset();
        headerMode = pointMode = countRead = false;
        headerLine = 0;
        pointCount = 0;
      }
    }

    if (pointLight.examine(first, scan)) {
      PointLight done = pointLight.take();
      done.position = translation_;
      pointLights_.push_back(std::move(done));
    }
    if (ambientLight.examine(first, scan)) {
      ambientLights_.push_back(ambientLight.take());
    }

    if (headerMode) {
      if (headerLine == 3) {
        // The knot line: a count, then that many knots, which may continue on the
        // following lines. None of them is used.
        LineScanner knots = atStart;
        int remaining = knots.readInt();
        knotCount.assign(first);
        first = knotCount;
        while (remaining > 0) {
          if (knots.nextWord().empty()) {
            std::string_view more;
            if (!lines.next(more)) break;
            knots = LineScanner(more);
            continue;
          }
          --remaining;
        }
        headerLine = 0;
        headerMode = false;
        pointMode = true;
      } else {
        ++headerLine;
      }
    }

    pointLight.startReadingIfPending();
    ambientLight.startReadingIfPending();

    if (transformMode) {
      if (first == "setAttr") {
        LineScanner values = scan;
        const std::string_view attribute = values.nextWord();
        Vec3* target = attribute == "\".t\""   ? &translation_
                       : attribute == "\".r\"" ? &rotation_
                       : attribute == "\".s\"" ? &scale_
                                               : nullptr;
        if (target != nullptr) {
          values.skipWords(2);  // -type "double3"
          *target = values.readVec3();
        }
      } else {
        transformMode = false;
      }
    }

    if (first == "createNode") {
      const std::string_view type = scan.nextWord();
      if (type == "transform") {
        transformMode = true;
      } else if (type == "bezierCurve") {
        // A curve still being read is dropped in favour of the new one.
        curve.emplace();
        curve->name = name;
        curve->path = path;
        headerMode = true;
        headerLine = 0;
        pointMode = countRead = false;
        pointCount = 0;
      } else if (type == "pointLight") {
        pointLight.create(name, path);
      } else if (type == "ambientLight") {
        ambientLight.create(name, path);
      }
    }
  }
  if (pointMode && countRead && static_cast<int>(curve->controlPoints.size()) == pointCount) {
    completeCurve(std::move(*curve));
  }
  return true;
}

void MayaScene::completeCurve(CameraPath curve) {
  // The arc-length tables belong to the curve as read; the sampled path to the curve
  // after its transform. Scale, then rotate, then move, each only when set (a value of
  // exactly zero in all three components counts as not set). Only the curve just read is
  // transformed: paths read earlier keep their own file's values.
  curve.prepareSegments();
  for (Vec3& p : curve.controlPoints) {
    if (!isZero(scale_)) {
      p = Vec3{p.x * scale_.x, p.y * scale_.y, p.z * scale_.z};
    }
    if (!isZero(rotation_)) {
      p = rotate(p, rotation_);
    }
    if (!isZero(translation_)) {
      p = Vec3{p.x + translation_.x, p.y + translation_.y, p.z + translation_.z};
    }
  }
  curve.buildSampledPath();
  paths_.push_back(std::move(curve));
}

Vec3 MayaScene::pointLightPosition(const std::string& name) const {
  for (const PointLight& light : pointLights_) {
    if (light.name == name) return light.position;
  }
  return Vec3{};
}

Vec3 MayaScene::pointLightColor(const std::string& name) const {
  for (const PointLight& light : pointLights_) {
    if (light.name == name) return light.color;
  }
  return kUnit;
}

float MayaScene::pointLightIntensity(const std::string& name) const {
  for (const PointLight& light : pointLights_) {
    if (light.name == name) return light.intensity;
  }
  return 1.0f;
}

Vec3 MayaScene::ambientLightColor(const std::string& name) const {
  for (const AmbientLight& light : ambientLights_) {
    if (light.name == name) return light.color;
  }
  return kUnit;
}

Vec3 MayaScene::curvePoint(const std::string& name, float u) const {
  Vec3 point;
  for (const CameraPath& path : paths_) {
    if (path.name == name && path.curvePoint(u, point)) return point;
  }
  return kUnit;
}

Vec3 MayaScene::pathPoint(const std::string& name, float u) const {
  Vec3 point;
  for (const CameraPath& path : paths_) {
    if (path.name == name) {
      return path.pathPoint(u, point) ? point : kUnit;
    }
  }
  return kUnit;
}

}  // namespace quintaval
