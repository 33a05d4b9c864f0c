// quintaval-inspect maya FILE...: what the program takes from Maya ASCII files — the
// bezier paths (control points after their transforms, segments, length) and the point
// and ambient lights, each under the name the program asks for (the file name).
#include <iostream>
#include <memory>

#include "command.h"
#include "geometry/maya_scene.h"
#include "json_values.h"
#include "maya_files.h"

namespace quintaval::inspect {
namespace {

Json pathJson(const CameraPath& path) {
  Json points = Json::array();
  for (const Vec3& p : path.controlPoints) points.push_back(toJson(p));
  return {{"name", path.name},
          {"path", path.path},
          {"controlPoints", std::move(points)},
          {"segments", path.segmentCount},
          {"totalLength", shortestDecimal(path.totalLength)}};
}

int inspectMaya(const std::vector<std::string>& files) {
  MayaScene scene;
  readMayaFiles(files, scene);

  Json paths = Json::array();
  for (const CameraPath& path : scene.paths()) paths.push_back(pathJson(path));
  Json pointLights = Json::array();
  for (const PointLight& light : scene.pointLights()) {
    pointLights.push_back({{"name", light.name},
                           {"path", light.path},
                           {"position", toJson(light.position)},
                           {"color", toJson(light.color)},
                           {"intensity", shortestDecimal(light.intensity)}});
  }
  Json ambientLights = Json::array();
  for (const AmbientLight& light : scene.ambientLights()) {
    ambientLights.push_back({{"name", light.name},
                             {"path", light.path},
                             {"color", toJson(light.color)},
                             {"intensity", shortestDecimal(light.intensity)}});
  }
  const Json result = {{"paths", std::move(paths)},
                               {"pointLights", std::move(pointLights)},
                               {"ambientLights", std::move(ambientLights)}};
  std::cout << result.dump(2) << "\n";
  return 0;
}

std::function<int()> defineMaya(CLI::App& command) {
  auto files = std::make_shared<std::vector<std::string>>();
  command.add_option("FILE", *files, "Maya ASCII files")->required();
  return [files] { return inspectMaya(*files); };
}

const CommandRegistration kMaya{
    {"maya", "Maya ASCII files: bezier paths, point and ambient lights", defineMaya}};

}  // namespace
}  // namespace quintaval::inspect
