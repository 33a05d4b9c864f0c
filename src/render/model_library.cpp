// The program's model list. A model whose file could not be read or whose buffers could
// not be made is kept in the list (so indices match the catalogue) but never drawn.
#include "render/model_library.h"

namespace quintaval {

Model& ModelLibrary::add(std::unique_ptr<Model> model, const std::string& name,
                         const std::string& path) {
  models_.push_back(std::move(model));
  names_.push_back(name);
  paths_.push_back(path);
  return *models_.back();
}

bool ModelLibrary::reload(const std::string& name, const TextureLibrary* textures) {
  bool any = false;
  bool all = true;
  for (std::size_t i = 0; i < models_.size(); ++i) {
    if (!name.empty() && names_[i] != name) continue;
    any = true;
    auto fresh = std::make_unique<Model>();
    fresh->setTextureLibrary(textures);
    if (fresh->load(paths_[i]) && fresh->loaded() && fresh->uploaded() && fresh->hasGeometry()) {
      models_[i] = std::move(fresh);
    } else {
      all = false;
    }
  }
  return any && all;
}

void ModelLibrary::drawByName(const std::string& name) const {
  for (std::size_t i = 0; i < models_.size(); ++i) {
    if (names_[i] == name && models_[i]->loaded() && models_[i]->uploaded()) {
      models_[i]->draw();
    }
  }
}

}  // namespace quintaval
