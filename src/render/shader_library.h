// Every GLSL program of the run, kept under the stem of its files in "Data/Shaders/":
// "Model" is built from Model.vert and Model.frag. The owners of the programs (the scene
// shaders, the post-processor, the text overlay) build theirs here at start-up and draw
// with what the library holds; author mode finds a program by the stem of the file that
// changed and rebuilds it. Programs are never removed or replaced, so a program the
// library handed out stays valid for the run: a rebuild changes the GL name inside it,
// not the object.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "render/shader_program.h"

namespace quintaval {

class ShaderLibrary {
 public:
  // Builds the program of `stem` from its two files. The owner reads compileStatus() and
  // reports its own message. A stem that was built already is not
  // built again: its program is returned as it is.
  ShaderProgram& build(const std::string& stem);

  // The program of `stem`, or null when none was built.
  ShaderProgram* find(const std::string& stem) const;

  std::size_t count() const { return programs_.size(); }

 private:
  std::vector<std::pair<std::string, std::unique_ptr<ShaderProgram>>> programs_;  // in build order
};

}  // namespace quintaval
