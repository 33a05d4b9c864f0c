// quintaval-inspect obj FILE: an OBJ model as the program reads it — record counts,
// groups, the materials of its MTL files, the draw ranges and the form it is drawn in.
// The file is read and its draw data built exactly as at start-up, without a window.
#include <cstdio>
#include <iostream>
#include <memory>

#include "command.h"
#include "geometry/obj_reader.h"
#include "json_values.h"
#include "textio/text_file.h"

namespace quintaval::inspect {
namespace {

Json materialJson(const Material& m) {
  Json maps = Json::object();
  const std::pair<const char*, const std::string*> named[] = {
      {"Ka", &m.mapKa}, {"Kd", &m.mapKd}, {"Ks", &m.mapKs}, {"Ke", &m.mapKe},
      {"Ns", &m.mapNs}, {"d", &m.mapD},   {"Bump", &m.mapBump}};
  for (const auto& [key, name] : named) {
    if (!name->empty()) maps[key] = *name;
  }
  return {{"name", m.name},
          {"Ka", toJson(m.colorKa)},
          {"Kd", toJson(m.colorKd)},
          {"Ks", toJson(m.colorKs)},
          {"Ke", toJson(m.colorKe)},
          {"maps", std::move(maps)},
          {"shininess", shortestDecimal(m.shininess)},
          {"dissolve", shortestDecimal(m.dissolve)},
          {"illumination", shortestDecimal(m.illumination)}};
}

int inspectObj(const std::string& path) {
  ModelData model;
  if (!readObjFile(path, model) || !model.buildDrawData()) {
    // main() found the file readable: what fails now is memory (or a file that went).
    const std::string reason = whyNotReadable(path);
    std::fprintf(stderr, "%s: cannot read: %s\n", path.c_str(),
                 reason.empty() ? "too large for memory" : reason.c_str());
    return 1;
  }

  Json groups = Json::array();
  for (const FaceGroup& group : model.groups) {
    groups.push_back({{"name", group.name}, {"faces", group.faces.size()}});
  }
  Json materials = Json::array();
  for (const Material& material : model.materials) {
    materials.push_back(materialJson(material));
  }
  Json ranges = Json::array();
  for (const DrawRange& range : model.ranges) {
    // null: the faces named no loaded material and are drawn with the default one.
    Json material = nullptr;
    if (range.material >= 0) material = model.materials[static_cast<std::size_t>(range.material)].name;
    ranges.push_back({{"primitive", range.primitive},
                      {"first", range.first},
                      {"count", range.count},
                      {"material", std::move(material)}});
  }
  const Json result = {
      {"file", path},
      {"positions", model.positions.size()},
      {"normals", model.normals.size()},
      {"texCoords", model.texCoords.size()},
      {"droppedFaces", model.droppedFaces},
      {"stoppedAtLine", model.stoppedAtLine == 0 ? Json(nullptr)
                                                  : Json(model.stoppedAtLine)},
      {"groups", std::move(groups)},
      {"materials", std::move(materials)},
      {"ranges", model.drawsAsPoints() ? Json::array() : std::move(ranges)},
      {"vertices", model.vertexCount},
      {"pointMode", model.drawsAsPoints()}};
  std::cout << result.dump(2) << "\n";
  return 0;
}

std::function<int()> defineObj(CLI::App& command) {
  auto file = std::make_shared<std::string>();
  command.add_option("FILE", *file, "An OBJ model")->required();
  return [file] { return inspectObj(*file); };
}

const CommandRegistration kObj{
    {"obj", "An OBJ model: records, groups, materials, draw ranges", defineObj}};

}  // namespace
}  // namespace quintaval::inspect
