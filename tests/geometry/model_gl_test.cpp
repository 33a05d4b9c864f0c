// Models on the GPU: material colour textures read back, mesh and point drawing read
// from the window, the textures bound per range, drawing into a render target, and
// drawing by name through the library.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "assets/texture_library.h"
#include "geometry/model.h"
#include "geometry/model_library.h"
#include "render/post_processor.h"
#include "render/render_target.h"
#include "support/gl_test_context.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

// Positions at attribute 0; the colour is what "diffuseMap" (unit 3) holds at its centre.
const char* kVertex =
    "#version 330 core\nlayout(location = 0) in vec3 position;\n"
    "layout(location = 1) in vec2 uv;\nlayout(location = 2) in vec3 normal;\n"
    "void main() { gl_Position = vec4(position, 1.0); }\n";
const char* kFragment =
    "#version 330 core\nuniform sampler2D diffuseMap;\nout vec4 color;\n"
    "void main() { color = vec4(texture(diffuseMap, vec2(0.5)).rgb, 1.0); }\n";
const char* kPointFragment =
    "#version 330 core\nout vec4 color;\nvoid main() { color = vec4(0.25, 0.5, 1.0, 1.0); }\n";

GLuint compile(const char* vertex, const char* fragment) {
  const GLuint program = glCreateProgram();
  for (auto [type, source] : {std::pair{GL_VERTEX_SHADER, vertex}, {GL_FRAGMENT_SHADER, fragment}}) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    glAttachShader(program, shader);
  }
  glLinkProgram(program);
  glUseProgram(program);
  glUniform1i(glGetUniformLocation(program, "diffuseMap"), 3);
  return program;
}

// The first texel of a texture's top level.
std::vector<float> texelOf(GLuint texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  GLint width = 0;
  GLint height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  std::vector<float> texels(4 * static_cast<std::size_t>(width * height), -1.0f);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, texels.data());
  texels.resize(4);
  return texels;
}

GLint boundOn(GLenum unit) {
  GLint texture = -1;
  glActiveTexture(unit);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
  return texture;
}

// A quad from (x0, -1) to (x1, 1) written as one four-corner face, with material "paint".
std::string quad(float x0, float x1) {
  const std::string a = std::to_string(x0);
  const std::string b = std::to_string(x1);
  return "mtllib paint.mtl\nv " + a + " -1 0\nv " + b + " -1 0\nv " + b + " 1 0\nv " + a +
         " 1 0\nvt 0 0\nvn 0 0 1\nusemtl paint\nf 1/1/1 2/1/1 3/1/1 4/1/1\n";
}

// One GL context for the whole suite (opening a display per test is slow and, with many
// servers about, unreliable), a recording reporter, and a scratch working directory
// holding the shipped shaders under Data/Shaders/ (the post-processor needs them).
class ModelGl : public ::testing::Test {
 protected:
  static constexpr int kWidth = 64;
  static constexpr int kHeight = 36;

  static void SetUpTestSuite() { gl = new testing::GlTestContext(kWidth, kHeight); }
  static void TearDownTestSuite() {
    delete gl;
    gl = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(gl != nullptr && gl->ok());
    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_BLEND);
    const char* source = std::getenv("QV_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    namespace fs = std::filesystem;
    fs::create_directories(dir.path() / "Data" / "Shaders");
    for (const auto& entry : fs::directory_iterator(fs::path(source) / "data" / "shaders")) {
      fs::copy_file(entry.path(), dir.path() / "Data" / "Shaders" / entry.path().filename());
    }
    workingDirectory = std::make_unique<testing::ScopedWorkingDirectory>(dir.path());
    glViewport(0, 0, kWidth, kHeight);
    clearWindow();
    post = std::make_unique<PostProcessor>(0, kWidth, kHeight);
    ASSERT_FALSE(post->failed);
  }

  static void clearWindow() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  std::unique_ptr<Model> load(const std::string& relative, const std::string& obj,
                              const std::string& mtl) {
    dir.write(relative.substr(0, relative.rfind('/') + 1) + "paint.mtl", mtl);
    auto model = std::make_unique<Model>(dir.write(relative, obj).string());
    model->setTextureLibrary(&textures);
    model->setPostProcessor(post.get());
    return model;
  }

  static void expectPixel(int x, int y, std::vector<int> rgb) {
    const auto pixel = testing::GlTestContext::readPixels(x, y, 1, 1);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(pixel[i], rgb[i], 1) << "channel " << i << " at " << x << "," << y;
    }
  }

  static testing::GlTestContext* gl;
  testing::RecordingReporter reporter;
  testing::TempDir dir;
  std::unique_ptr<testing::ScopedWorkingDirectory> workingDirectory;
  std::unique_ptr<PostProcessor> post;
  TextureLibrary textures;
};

testing::GlTestContext* ModelGl::gl = nullptr;

TEST_F(ModelGl, MaterialColoursBecomeSolidColourTextures) {
  const auto model =
      load("Models/m.obj", quad(-1, 1), "newmtl paint\nKd 0.5 0.25 1\nKa 2 0 0\nKe 0.1\n");
  ASSERT_TRUE(model->uploaded());
  const Model::ColorTextures paint = model->colorTextures(0);
  EXPECT_EQ(texelOf(paint.kd), (std::vector<float>{0.5f, 0.25f, 1, 1}));
  EXPECT_EQ(texelOf(paint.ka), (std::vector<float>{2, 0, 0, 1}));  // not clamped
  EXPECT_EQ(texelOf(paint.ke), (std::vector<float>{0.1f, 0, 0, 1}));
  EXPECT_EQ(texelOf(paint.ks), (std::vector<float>{0, 0, 0, 1}));
  const Model::ColorTextures fallback = model->colorTextures(-1);
  EXPECT_EQ(texelOf(fallback.kd), (std::vector<float>{1, 1, 1, 1}));
  EXPECT_EQ(texelOf(fallback.ka), (std::vector<float>{0, 0, 0, 1}));
  EXPECT_TRUE(reporter.messages().empty());
}

TEST_F(ModelGl, AQuadIsDrawnWholeWithItsDiffuseColour) {
  const auto model = load("Models/m.obj", quad(-1, 1), "newmtl paint\nKd 0.5 0.25 1\n");
  compile(kVertex, kFragment);
  model->draw();
  // Both triangles of the fan: opposite corners of the window.
  expectPixel(1, 1, {128, 64, 255});
  expectPixel(kWidth - 2, kHeight - 2, {128, 64, 255});
  expectPixel(kWidth - 2, 1, {128, 64, 255});
}

TEST_F(ModelGl, EachRangeBindsItsMapsOrColoursOnUnitsOneToSeven) {
  const auto model = load("Models/m.obj", quad(-1, 1),
                          "newmtl paint\nKd 0.5 0.25 1\nmap_Kd nowhere.png\nmap_d nowhere.png\n");
  compile(kVertex, kFragment);
  glActiveTexture(GL_TEXTURE0);
  model->draw();
  const Model::ColorTextures colors = model->colorTextures(0);
  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  EXPECT_EQ(active, GL_TEXTURE0);
  EXPECT_EQ(boundOn(GL_TEXTURE1), static_cast<GLint>(colors.ka));
  EXPECT_EQ(boundOn(GL_TEXTURE2), static_cast<GLint>(post->colorTarget->colorTexture));
  EXPECT_EQ(boundOn(GL_TEXTURE3), 0);  // an unknown map binds nothing, not the Kd colour
  EXPECT_EQ(boundOn(GL_TEXTURE4), static_cast<GLint>(colors.ke));
  EXPECT_EQ(boundOn(GL_TEXTURE5), static_cast<GLint>(colors.ks));
  EXPECT_EQ(boundOn(GL_TEXTURE6), 0);
  EXPECT_EQ(boundOn(GL_TEXTURE7), 0);
  expectPixel(10, 10, {0, 0, 0});  // a texture-less diffuseMap samples black
  GLint enabled = 1;
  glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
  EXPECT_EQ(enabled, 0);
}

TEST_F(ModelGl, DrawingIntoARenderTargetStaysInIt) {
  const auto model = load("Models/m.obj", quad(-1, 1), "newmtl paint\nKd 0 1 0\n");
  compile(kVertex, kFragment);
  RenderTarget target(0, 8, 8);
  target.bind();
  model->draw();  // refills the post-processor's flat bump texture on the way
  GLint drawFramebuffer = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer);
  EXPECT_EQ(drawFramebuffer, static_cast<GLint>(target.FBO));
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 8);
  target.resolve();
  EXPECT_EQ(texelOf(target.colorTexture), (std::vector<float>{0, 1, 0, 1}));
  expectPixel(10, 10, {0, 0, 0});  // nothing reached the window
}

TEST_F(ModelGl, PositionsOnlyModelsAreDrawnAsPoints) {
  auto model = std::make_unique<Model>(dir.write("Models/p.obj", "v 0 0 0\nf 1 1 1\n").string());
  ASSERT_TRUE(model->uploaded());
  EXPECT_TRUE(model->pointMode());
  compile(kVertex, kPointFragment);
  model->draw();
  expectPixel(kWidth / 2, kHeight / 2, {64, 128, 255});
  expectPixel(kWidth / 2 + 3, kHeight / 2 + 3, {64, 128, 255});  // 10 pixels wide
  expectPixel(2, 2, {0, 0, 0});
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(ModelGl, DrawByNameDrawsEveryLoadedModelOfThatExactName) {
  ModelLibrary library;
  library.add(load("a/Land.obj", quad(-1, 0), "newmtl paint\nKd 1 0 0\n"), "Land.obj", "a/Land.obj");
  library.add(load("b/Land.obj", quad(0, 1), "newmtl paint\nKd 0 0 1\n"), "Land.obj", "b/Land.obj");
  library.add(std::make_unique<Model>((dir.path() / "none.obj").string()), "Land.obj", "none.obj");
  compile(kVertex, kFragment);

  library.drawByName("land.obj");
  library.drawByName("Land");
  expectPixel(5, 5, {0, 0, 0});
  expectPixel(kWidth - 5, 5, {0, 0, 0});

  library.drawByName("Land.obj");
  expectPixel(5, 5, {255, 0, 0});
  expectPixel(kWidth - 5, 5, {0, 0, 255});
  EXPECT_FALSE(library.model(2).loaded());
  EXPECT_TRUE(reporter.messages().empty());
}

}  // namespace
}  // namespace quintaval
