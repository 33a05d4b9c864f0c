// Builds a program from two source files: wait briefly for the files (an editor may be
// replacing them), create both shader objects, read both texts, and only when both
// were read compile, attach and link. Diagnostics go to standard error; the result is
// read by the owner through compileStatus.
#include "render/shader_program.h"

#include <GL/glew.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <utility>
#include <vector>

#include "textio/text_file.h"

namespace quintaval {

namespace {

// How long a source file that cannot be opened is retried before it counts as
// unreadable, and the pause between attempts.
constexpr auto kSourceWait = std::chrono::milliseconds(2000);
constexpr auto kSourceRetryPause = std::chrono::milliseconds(5);

void waitForFile(const std::string& path) {
  const auto deadline = std::chrono::steady_clock::now() + kSourceWait;
  for (;;) {
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
      std::fclose(file);
      return;
    }
    if (std::chrono::steady_clock::now() >= deadline) return;
    std::this_thread::sleep_for(kSourceRetryPause);
  }
}

// Prints the driver's log under `title` and appends it to `into`.
void takeLog(GLuint object, bool isProgram, const std::string& title, std::string& into) {
  GLint length = 0;
  isProgram ? glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length) : glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
  if (length <= 1) return;
  std::vector<char> log(static_cast<size_t>(length));
  isProgram ? glGetProgramInfoLog(object, length, nullptr, log.data())
            : glGetShaderInfoLog(object, length, nullptr, log.data());
  std::fprintf(stderr, "%s:\n%s\n", title.c_str(), log.data());
  into += title + ":\n" + log.data();
}

// Gives `to` the values that `from` holds in its plain (non-array) uniforms of the same
// name and type, so a rebuilt program starts where the old one was.
void copyUniforms(GLuint from, GLuint to) {
  GLint count = 0;
  glGetProgramiv(from, GL_ACTIVE_UNIFORMS, &count);
  glUseProgram(to);
  for (GLint i = 0; i < count; ++i) {
    char name[256];
    GLint size = 0;
    GLenum type = 0;
    glGetActiveUniform(from, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type, name);
    const GLint source = glGetUniformLocation(from, name);
    const GLint target = glGetUniformLocation(to, name);
    if (size != 1 || source < 0 || target < 0) continue;
    GLfloat f[16] = {};
    GLint n[4] = {};
    switch (type) {
      case GL_FLOAT: glGetUniformfv(from, source, f); glUniform1fv(target, 1, f); break;
      case GL_FLOAT_VEC2: glGetUniformfv(from, source, f); glUniform2fv(target, 1, f); break;
      case GL_FLOAT_VEC3: glGetUniformfv(from, source, f); glUniform3fv(target, 1, f); break;
      case GL_FLOAT_VEC4: glGetUniformfv(from, source, f); glUniform4fv(target, 1, f); break;
      case GL_FLOAT_MAT4: glGetUniformfv(from, source, f); glUniformMatrix4fv(target, 1, GL_FALSE, f); break;
      case GL_INT:
      case GL_BOOL:
      case GL_SAMPLER_2D: glGetUniformiv(from, source, n); glUniform1iv(target, 1, n); break;
      default: break;
    }
  }
}

}  // namespace

std::optional<std::string> ShaderProgram::readTextFile(const std::string& path) {
  std::string text;
  if (!readWholeFile(path, text)) return std::nullopt;
  return text;
}

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath)
    : vertexPath_(vertexPath), fragmentPath_(fragmentPath) {
  waitForFile(vertexPath);
  waitForFile(fragmentPath);

  // Both shader objects exist even when a source cannot be read, so compileStatus
  // always has a fragment shader to ask.
  vertexShader = glCreateShader(GL_VERTEX_SHADER);
  fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);

  const std::optional<std::string> vertexText = readTextFile(vertexPath);
  const std::optional<std::string> fragmentText = readTextFile(fragmentPath);
  if (!vertexText || !fragmentText) return;

  // Each text goes over as one NUL-terminated string, unchanged.
  const char* vertexSource = vertexText->c_str();
  const char* fragmentSource = fragmentText->c_str();
  glShaderSource(vertexShader, 1, &vertexSource, nullptr);
  glShaderSource(fragmentShader, 1, &fragmentSource, nullptr);

  glCompileShader(vertexShader);
  takeLog(vertexShader, false, vertexPath, log_);
  glCompileShader(fragmentShader);
  takeLog(fragmentShader, false, fragmentPath, log_);

  program = glCreateProgram();
  glAttachShader(program, vertexShader);
  glAttachShader(program, fragmentShader);
  glLinkProgram(program);
  takeLog(program, true, "link " + vertexPath + " + " + fragmentPath, log_);
}

bool ShaderProgram::linked() const {
  if (program == 0) return false;
  GLint status = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &status);
  return status == GL_TRUE;
}

bool ShaderProgram::rebuild() {
  ShaderProgram fresh(vertexPath_, fragmentPath_);
  log_ = fresh.log_;
  if (!fresh.linked()) {
    if (log_.empty()) log_ = vertexPath_ + " or " + fragmentPath_ + " cannot be read";
    return false;
  }
  GLint current = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &current);
  if (linked()) copyUniforms(program, fresh.program);
  glUseProgram(static_cast<GLuint>(current) == program ? fresh.program : static_cast<GLuint>(current));
  std::swap(vertexShader, fresh.vertexShader);
  std::swap(fragmentShader, fresh.fragmentShader);
  std::swap(program, fresh.program);
  // The old objects are no longer used by anything.
  glDeleteProgram(fresh.program);
  glDeleteShader(fresh.vertexShader);
  glDeleteShader(fresh.fragmentShader);
  return true;
}

void ShaderProgram::use() const { glUseProgram(program); }

void ShaderProgram::unuse() { glUseProgram(0); }

int ShaderProgram::compileStatus() const {
  GLint status = GL_FALSE;
  glGetShaderiv(fragmentShader, GL_COMPILE_STATUS, &status);
  return status;
}

// Without a linked program there is nothing to look a name up in; asking GL anyway
// would only leave an error behind.
void ShaderProgram::setUniform1i(const char* name, int value) const {
  if (program == 0) return;
  glUniform1i(glGetUniformLocation(program, name), value);
}

void ShaderProgram::setUniform1f(const char* name, float value) const {
  if (program == 0) return;
  glUniform1f(glGetUniformLocation(program, name), value);
}

void ShaderProgram::setUniform2f(const char* name, float x, float y) const {
  if (program == 0) return;
  glUniform2f(glGetUniformLocation(program, name), x, y);
}

void ShaderProgram::setUniform3f(const char* name, float x, float y, float z) const {
  if (program == 0) return;
  glUniform3f(glGetUniformLocation(program, name), x, y, z);
}

void ShaderProgram::setUniform4f(const char* name, float x, float y, float z, float w) const {
  if (program == 0) return;
  glUniform4f(glGetUniformLocation(program, name), x, y, z, w);
}

void ShaderProgram::setUniformMatrix4fv(const char* name, Mat4 matrix) const {
  if (program == 0) return;
  glUniformMatrix4fv(glGetUniformLocation(program, name), 1, GL_FALSE, matrix.data());
}

}  // namespace quintaval
