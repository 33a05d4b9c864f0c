#include "render/render_fixture.h"

#include <cstdlib>
#include <filesystem>

namespace quintaval::testing {

namespace fs = std::filesystem;

namespace {

fs::path shippedShaders() {
  const char* source = std::getenv("QV_SOURCE_DIR");
  return fs::path(source ? source : ".") / "data" / "shaders";
}

}  // namespace

GlTestContext* RenderFixture::gl = nullptr;

void RenderFixture::SetUpTestSuite() { gl = new GlTestContext(kWidth, kHeight); }

void RenderFixture::TearDownTestSuite() {
  delete gl;
  gl = nullptr;
}

void RenderFixture::SetUp() {
  ASSERT_TRUE(gl && gl->ok());
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glViewport(0, 0, kWidth, kHeight);
  glUseProgram(0);
  glDisable(GL_BLEND);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glActiveTexture(GL_TEXTURE0);
  for (GLuint attribute = 0; attribute < 3; ++attribute) glDisableVertexAttribArray(attribute);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glGetError();  // a previous test's deliberate failures leave errors behind
  ASSERT_NE(std::getenv("QV_SOURCE_DIR"), nullptr) << "QV_SOURCE_DIR must name the source tree";
  const fs::path shaders = dir.path() / "Data" / "Shaders";
  fs::create_directories(shaders);
  for (const auto& entry : fs::directory_iterator(shippedShaders())) {
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

void RenderFixture::restoreShader(const std::string& file) const {
  fs::copy_file(shippedShaders() / file, dir.path() / "Data" / "Shaders" / file,
                fs::copy_options::overwrite_existing);
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
