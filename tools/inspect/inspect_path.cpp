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

bool parseU(const std::string& text, float& u) {
  const char* p = text.data();
  const char* end = p + text.size();
  return parseFloat(p, end, u) && p == end;
}

int inspectPath(const std::vector<std::string>& files, bool haveName, std::string name,
                const std::vector<std::string>& uTexts) {
  std::vector<float> fractions;
  for (const std::string& text : uTexts) {
    float u = 0.0f;
    parseU(text, u);  // checked while parsing the command line
    fractions.push_back(u);
  }
  MayaScene scene;
  readMayaFiles(files, scene);
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
  return 0;
}

std::function<int()> definePath(CLI::App& command) {
  struct Arguments {
    std::vector<std::string> files;
    std::string name;
    std::vector<std::string> fractions;
    const CLI::Option* nameOption = nullptr;
  };
  auto arguments = std::make_shared<Arguments>();
  const CLI::Validator aNumber(
      [](const std::string& text) {
        float u = 0.0f;
        return parseU(text, u) ? std::string() : "not a number: " + text;
      },
      "");
  command.add_option("FILE", arguments->files, "Maya ASCII files")->required();
  arguments->nameOption =
      command.add_option("--name", arguments->name, "The path (default: the first path read)")
      ->type_name("NAME")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  command.add_option("--u", arguments->fractions, "Where along the path: 0 its start, 1 its end")
      ->type_name("U")
      ->required()
      ->check(aNumber);
  return [arguments] {
    return inspectPath(arguments->files, arguments->nameOption->count() > 0, arguments->name,
                       arguments->fractions);
  };
}

const CommandRegistration kPath{
    {"path", "Where the camera would be on a path of Maya files, at given u", definePath}};

}  // namespace
}  // namespace quintaval::inspect
