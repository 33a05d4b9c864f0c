#include "render/render_fixture.h"

#include <cstdlib>
#include <filesystem>

namespace quintaval::testing {

namespace fs = std::filesystem;

void RenderFixture::SetUp() {
  ASSERT_TRUE(gl.ok());
  const char* source = std::getenv("QV_SOURCE_DIR");
  ASSERT_NE(source, nullptr) << "QV_SOURCE_DIR must point at the source tree";
  const fs::path shaders = dir.path() / "Data" / "Shaders";
  fs::create_directories(shaders);
  for (const auto& entry : fs::directory_iterator(fs::path(source) / "data" / "shaders")) {
    fs::copy_file(entry.path(), shaders / entry.path().filename());
  }
  workingDirectory = std::make_unique<ScopedWorkingDirectory>(dir.path());
}

void RenderFixture::TearDown() { workingDirectory.reset(); }

void RenderFixture::breakShader(const std::string& file) const {
  dir.write("Data/Shaders/" + file, "#version 330 core\nvoid main() { this is not glsl; }\n");
}

void RenderFixture::removeShader(const std::string& file) const {
  fs::remove(dir.path() / "Data" / "Shaders" / file);
}

std::vector<unsigned char> RenderFixture::pixelAt(int x, int y) {
  return GlTestContext::readPixels(x, y, 1, 1);
}

int currentProgram() {
  GLint program = -1;
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  return program;
}

}  // namespace quintaval::testing
