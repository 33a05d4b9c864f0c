// quintaval-inspect path FILE... [--name NAME] --u U...: where the camera would be. Reads
// the Maya files as the program does and prints, for each u, curvePoint (the exact
// arc-length position) and pathPoint (the pre-sampled one the demo uses) of the path
// NAME (default: the first path read).
#include <cstdio>
#include <iostream>

#include "command.h"
#include "geometry/maya_scene.h"
#include "json_values.h"
#include "maya_files.h"
#include "textio/number_parser.h"

namespace quintaval::inspect {
namespace {

constexpr const char* kUsage = "FILE... [--name NAME] --u U...";

bool parseU(const std::string& text, float& u) {
  const char* p = text.data();
  const char* end = p + text.size();
  return parseFloat(p, end, u) && p == end;
}

int usageError(const char* why) {
  std::fprintf(stderr, "quintaval-inspect path: %s\nusage: quintaval-inspect path %s\n", why,
               kUsage);
  return 2;
}

int inspectPath(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  std::vector<float> fractions;
  std::string name;
  bool haveName = false;
  enum { kFiles, kName, kFractions } reading = kFiles;
  for (const std::string& arg : args) {
    if (arg == "--name") {
      reading = kName;
    } else if (arg == "--u") {
      reading = kFractions;
    } else if (reading == kName) {
      name = arg;
      haveName = true;
      reading = kFiles;
    } else if (reading == kFractions) {
      float u = 0.0f;
      if (!parseU(arg, u)) return usageError(("not a number: " + arg).c_str());
      fractions.push_back(u);
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty() || fractions.empty()) return usageError("need files and values of u");

  MayaScene scene;
  const bool allRead = readMayaFiles(files, scene);
  if (!haveName && !scene.paths().empty()) name = scene.paths().front().name;
  bool known = false;
  for (const CameraPath& path : scene.paths()) known = known || path.name == name;
  if (!known) {
    std::fprintf(stderr,
                 "quintaval-inspect: no path named \"%s\"; the program gets (1, 1, 1)\n",
                 name.c_str());
  }

  Json points = Json::array();
  for (float u : fractions) {
    points.push_back({{"u", shortestDecimal(u)},
                      {"curvePoint", toJson(scene.curvePoint(name, u))},
                      {"pathPoint", toJson(scene.pathPoint(name, u))}});
  }
  const Json result = {{"name", name}, {"found", known}, {"points", std::move(points)}};
  std::cout << result.dump(2) << "\n";
  return allRead ? 0 : 1;
}

const CommandRegistration kPath{{"path", kUsage, inspectPath}};

}  // namespace
}  // namespace quintaval::inspect
