// One GLSL program built from a vertex and a fragment source file.
//
// Construction never fails visibly: an unreadable file leaves `program` at 0, and the
// owner asks `compileStatus` (the fragment shader's) and shows its own message. Compile
// and link logs go to standard error when the driver writes any. Setters look the
// uniform location up by name on every call and act on the current program, so the
// caller must `use` this program first; a name the program lacks is ignored silently.
// GL objects are deleted only when rebuild() replaces them; otherwise programs live until
// the process ends.
#pragma once

#include <optional>
#include <string>

#include "core/math.h"

namespace quintaval {

class ShaderProgram {
 public:
  // Paths relative to the working directory, e.g. "Data/Shaders/Model.vert".
  ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath);

  void use() const;
  static void unuse();

  // GL_COMPILE_STATUS of the fragment shader: 1 when it compiled, 0 otherwise
  // (also when a source file could not be read).
  int compileStatus() const;

  void setUniform1i(const char* name, int value) const;
  void setUniform1f(const char* name, float value) const;
  void setUniform2f(const char* name, float x, float y) const;
  void setUniform3f(const char* name, float x, float y, float z) const;
  void setUniform4f(const char* name, float x, float y, float z, float w) const;
  // Column-major, sent untransposed.
  void setUniformMatrix4fv(const char* name, Mat4 matrix) const;

  // Builds the program again from its files (author mode, after one changed). Only when
  // the new one links does it take this program's place, with the old one's uniform
  // values; otherwise the old program stays and log() says why. The GL name changes.
  bool rebuild();
  bool linked() const;
  // The compile and link messages of the last build, empty when the driver had none.
  const std::string& log() const { return log_; }
  const std::string& vertexPath() const { return vertexPath_; }

  // The whole file as text (bytes unchanged), or nothing when it cannot be read.
  static std::optional<std::string> readTextFile(const std::string& path);

  // GL object names (0 = none).
  unsigned int vertexShader = 0;
  unsigned int fragmentShader = 0;
  unsigned int program = 0;  // stays 0 unless both sources were read

 private:
  std::string vertexPath_;
  std::string fragmentPath_;
  std::string log_;
};

}  // namespace quintaval
