#include "render/shader_library.h"

#include "core/data_paths.h"

namespace quintaval {

ShaderProgram& ShaderLibrary::build(const std::string& stem) {
  if (ShaderProgram* built = find(stem)) return *built;
  const std::string base = kShaderDir + stem;
  programs_.emplace_back(stem, std::make_unique<ShaderProgram>(base + ".vert", base + ".frag"));
  return *programs_.back().second;
}

ShaderProgram* ShaderLibrary::find(const std::string& stem) const {
  for (const auto& [name, program] : programs_) {
    if (name == stem) return program.get();
  }
  return nullptr;
}

}  // namespace quintaval
