// Builds a program from two source files: wait briefly for the files (an editor may be
// replacing them), create both shader objects, read both texts, and only when both
// were read compile, attach and link. Diagnostics go to standard error; the result is
// read by the owner through compileStatus.
#include "render/shader_program.h"

#include <GL/glew.h>

#include <chrono>
#include <cstdio>
#include <thread>
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

void printShaderLog(GLuint shader, const std::string& path) {
  GLint length = 0;
  glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
  if (length <= 1) return;
  std::vector<char> log(static_cast<size_t>(length));
  glGetShaderInfoLog(shader, length, nullptr, log.data());
  std::fprintf(stderr, "%s:\n%s\n", path.c_str(), log.data());
}

void printProgramLog(GLuint program, const std::string& vertexPath,
                     const std::string& fragmentPath) {
  GLint length = 0;
  glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
  if (length <= 1) return;
  std::vector<char> log(static_cast<size_t>(length));
  glGetProgramInfoLog(program, length, nullptr, log.data());
  std::fprintf(stderr, "link %s + %s:\n%s\n", vertexPath.c_str(), fragmentPath.c_str(),
               log.data());
}

}  // namespace

std::optional<std::string> ShaderProgram::readTextFile(const std::string& path) {
  std::string text;
  if (!readWholeFile(path, text)) return std::nullopt;
  return text;
}

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath) {
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
  printShaderLog(vertexShader, vertexPath);
  glCompileShader(fragmentShader);
  printShaderLog(fragmentShader, fragmentPath);

  program = glCreateProgram();
  glAttachShader(program, vertexShader);
  glAttachShader(program, fragmentShader);
  glLinkProgram(program);
  printProgramLog(program, vertexPath, fragmentPath);
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
