// Every model the program loaded, with its catalogue file name and path, drawn by name.
//
// Names are compared whole, exactly and case-sensitively. drawByName draws every loaded,
// uploaded model of that name in list order; a name that matches nothing draws nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "render/model.h"

namespace quintaval {

class ModelLibrary {
 public:
  // Takes the model; `name` is its catalogue file name ("Land.obj"), `path` its path.
  Model& add(std::unique_ptr<Model> model, const std::string& name, const std::string& path);

  void drawByName(const std::string& name) const;

  // Author mode, after a file changed: reads every model named `name` (every model, for
  // an empty name: a material library changed) again from its path, looking its maps up
  // in `textures`. A model is replaced only by one that loaded, uploaded and has
  // geometry; false when any did not (it keeps its last good version) or no model has
  // the name.
  bool reload(const std::string& name, const TextureLibrary* textures);

  std::size_t count() const { return models_.size(); }
  const Model& model(std::size_t index) const { return *models_[index]; }
  const std::string& name(std::size_t index) const { return names_[index]; }
  const std::string& path(std::size_t index) const { return paths_[index]; }

 private:
  std::vector<std::unique_ptr<Model>> models_;
  std::vector<std::string> names_;
  std::vector<std::string> paths_;
};

}  // namespace quintaval
