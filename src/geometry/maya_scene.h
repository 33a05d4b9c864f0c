// Camera paths and lights read from Maya ASCII scene files (".ma").
//
// Only a small line-oriented subset of the format is read: transform values (".t", ".r",
// ".s"), bezier curves, point lights and ambient lights. Every object takes as its name
// the part of the file path after the last "/", so one file provides one object that is
// asked for by that name; lookups take the first object of a name. Reading only ever adds
// to the scene. No GL is involved.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/math.h"
#include "geometry/camera_path.h"

namespace quintaval {

constexpr std::size_t kMayaLineLimit = 4096;

struct PointLight {
  std::string name;
  std::string path;
  Vec3 position;  // the translation current when the light was complete
  Vec3 color{1.0f, 1.0f, 1.0f};
  float intensity = 1.0f;
};

struct AmbientLight {
  std::string name;
  std::string path;
  Vec3 color{1.0f, 1.0f, 1.0f};
  float intensity = 1.0f;
};

class LineReader;

class MayaScene {
 public:
  // Reads one file into the scene. A missing file, an empty path or a first line that
  // does not start with the word "//Maya" add nothing; nothing is reported. The result
  // says whether the file was read (the program does not need it; tools do).
  bool readMayaFile(const std::string& path);
  // The same for text already in memory; `path` names the objects.
  bool readMayaText(std::string_view text, const std::string& path);
  // Author mode, after the file changed: the objects read from `path` are replaced by
  // those it holds now. False, with the scene unchanged, when it cannot be read.
  bool rereadMayaFile(const std::string& path);

  Vec3 pointLightPosition(const std::string& name) const;   // (0, 0, 0) if none
  Vec3 pointLightColor(const std::string& name) const;      // (1, 1, 1) if none
  float pointLightIntensity(const std::string& name) const;  // 1 if none
  Vec3 ambientLightColor(const std::string& name) const;    // (1, 1, 1) if none

  // The point at length fraction u on the first path of that name that has one, and the
  // sampled point at u on the first path of that name; (1, 1, 1) if there is none.
  Vec3 curvePoint(const std::string& name, float u) const;
  Vec3 pathPoint(const std::string& name, float u) const;

  const std::vector<CameraPath>& paths() const { return paths_; }
  const std::vector<PointLight>& pointLights() const { return pointLights_; }
  const std::vector<AmbientLight>& ambientLights() const { return ambientLights_; }

 private:
  bool readMayaLines(LineReader& lines, const std::string& path);
  void completeCurve(CameraPath curve);

  // The values of the latest ".s", ".r" (degrees) and ".t" lines of the current file.
  Vec3 scale_;
  Vec3 rotation_;
  Vec3 translation_;
  std::vector<CameraPath> paths_;
  std::vector<PointLight> pointLights_;
  std::vector<AmbientLight> ambientLights_;
};

// The name objects read from `path` get: the part after the last "/".
std::string mayaObjectName(const std::string& path);

}  // namespace quintaval
