// Models on the GPU: material colours as 1x1 textures, what a mesh binds on units 1 to 7,
// mesh and point drawing read back (into a render target that stays bound), and drawing
// by name through the library.
#include "render/model.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "assets/texture_library.h"
#include "render/model_library.h"
#include "render/render_fixture.h"
#include "render/render_target.h"
#include "render/shader_program.h"

namespace quintaval {
namespace {

using Texels = std::vector<float>;

// Level 0 of a texture of `count` texels, RGBA floats.
Texels texelsOf(GLuint texture, int count = 1) {
  Texels texels(4 * static_cast<std::size_t>(count), -1.0f);
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, texels.data());
  return texels;
}

GLint boundOn(GLenum unit) {
  GLint texture = -1;
  glActiveTexture(unit);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
  return texture;
}

// A quad from (x0, -1) to (x1, 1) written as one four-corner face, with material "paint".
std::string quad(int x0, int x1) {
  const std::string a = std::to_string(x0);
  const std::string b = std::to_string(x1);
  return "mtllib paint.mtl\nv " + a + " -1 0\nv " + b + " -1 0\nv " + b + " 1 0\nv " + a +
         " 1 0\nvt 0 0\nvn 0 0 1\nusemtl paint\nf 1/1/1 2/1/1 3/1/1 4/1/1\n";
}

const char* const kDiffuse = "vec4(texture(diffuseMap, vec2(0.5)).rgb, 1.0)";

class ModelTest : public testing::RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // The model file at `relative` in the scratch directory, "paint.mtl" beside it.
  std::unique_ptr<Model> load(const std::string& relative, const std::string& obj,
                              const std::string& mtl) {
    dir.write(relative.substr(0, relative.rfind('/') + 1) + "paint.mtl", mtl);
    auto model = std::make_unique<Model>(dir.write(relative, obj).string());
    model->setTextureLibrary(&textures);
    return model;
  }

  // Makes current a program that places positions as given and colours them with
  // `color`, a GLSL expression that may sample "diffuseMap" (unit 3).
  void useProgram(const std::string& color) const {
    const ShaderProgram program(
        dir.write("m.vert", "#version 330 core\nlayout(location = 0) in vec3 position;\n"
                            "void main() { gl_Position = vec4(position, 1.0); }\n").string(),
        dir.write("m.frag", "#version 330 core\nuniform sampler2D diffuseMap;\nout vec4 color;\n"
                            "void main() { color = " + color + "; }\n").string());
    program.use();
    program.setUniform1i("diffuseMap", 3);
  }

  static void expectPixel(int x, int y, std::vector<int> rgb) {
    const auto pixel = pixelAt(x, y);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(pixel[i], rgb[i], 1) << "channel " << i << " at " << x << "," << y;
    }
  }

  TextureLibrary textures;
};

TEST_F(ModelTest, MaterialColoursBecomeSolidColourTextures) {
  const auto model = load("m.obj", quad(-1, 1), "newmtl paint\nKd 0.5 0.25 1\nKa 2 0 0\nKe 0.1\n");
  ASSERT_TRUE(model->uploaded());
  const Model::ColorTextures paint = model->colorTextures(0);
  const Model::ColorTextures fallback = model->colorTextures(-1);
  const struct {
    GLuint texture;
    Texels texel;
  } cases[] = {{paint.kd, {0.5f, 0.25f, 1, 1}}, {paint.ka, {2, 0, 0, 1}},  // not clamped
               {paint.ke, {0.1f, 0, 0, 1}},     {paint.ks, {0, 0, 0, 1}},
               {fallback.kd, {1, 1, 1, 1}},     {fallback.ka, {0, 0, 0, 1}}};
  for (const auto& c : cases) EXPECT_EQ(texelsOf(c.texture), c.texel) << "texture " << c.texture;
  EXPECT_TRUE(reporter.messages().empty());
}

TEST_F(ModelTest, EachRangeBindsItsMapsOrColoursOnUnitsOneToSeven) {
  const auto model = load("m.obj", quad(-1, 1),
                          "newmtl paint\nKd 0.5 0.25 1\nmap_Kd nowhere.png\nmap_d nowhere.png\n");
  useProgram(kDiffuse);
  model->draw();
  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  EXPECT_EQ(active, GL_TEXTURE0);
  const Model::ColorTextures colors = model->colorTextures(0);
  const struct {
    GLenum unit;
    GLuint texture;
  } bindings[] = {{GL_TEXTURE1, colors.ka}, {GL_TEXTURE3, 0},  // unknown map: not the Kd colour
                  {GL_TEXTURE4, colors.ke}, {GL_TEXTURE5, colors.ks},
                  {GL_TEXTURE6, 0},         {GL_TEXTURE7, 0}};
  for (const auto& b : bindings) {
    EXPECT_EQ(boundOn(b.unit), static_cast<GLint>(b.texture)) << "unit " << b.unit - GL_TEXTURE0;
  }
  // Without a bump map: a flat texture, which tilts no normal.
  EXPECT_EQ(texelsOf(boundOn(GL_TEXTURE2)), (Texels{0, 0, 0, 0}));
  expectPixel(10, 10, {0, 0, 0});  // a texture-less diffuseMap samples black
  GLint enabled = 1;
  glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
  EXPECT_EQ(enabled, 0);
}

TEST_F(ModelTest, AQuadCoversTheCurrentFramebufferWhichStaysBound) {
  const auto model = load("m.obj", quad(-1, 1), "newmtl paint\nKd 0.5 0.25 1\n");
  useProgram(kDiffuse);
  RenderTarget target(0, 8, 8);
  target.bind();
  model->draw();
  GLint framebuffer = 0;
  GLint viewport[4] = {};
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(framebuffer, static_cast<GLint>(target.FBO));
  EXPECT_EQ(viewport[2], 8);
  // Both triangles of the fan: every texel holds the diffuse colour.
  Texels expected;
  for (int i = 0; i < 64; ++i) expected.insert(expected.end(), {0.5f, 0.25f, 1, 1});
  EXPECT_EQ(texelsOf(target.colorTexture, 64), expected);
}

TEST_F(ModelTest, PositionsOnlyModelsAreDrawnAsAdditivePoints) {
  const auto model = std::make_unique<Model>(dir.write("p.obj", "v 0 0 0\nf 1 1 1\n").string());
  ASSERT_TRUE(model->uploaded());
  EXPECT_TRUE(model->pointMode());
  useProgram("vec4(0.25, 0.5, 1.0, 1.0)");
  model->draw();
  model->draw();
  expectPixel(kWidth / 2, kHeight / 2, {128, 255, 255});
  expectPixel(kWidth / 2 + 3, kHeight / 2 + 3, {128, 255, 255});  // 10 pixels wide
  expectPixel(2, 2, {0, 0, 0});
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(ModelTest, DrawByNameDrawsEveryLoadedModelOfThatExactName) {
  ModelLibrary library;
  library.add(load("a/Land.obj", quad(-1, 0), "newmtl paint\nKd 1 0 0\n"), "Land.obj", "a/Land.obj");
  library.add(load("b/Land.obj", quad(0, 1), "newmtl paint\nKd 0 0 1\n"), "Land.obj", "b/Land.obj");
  library.add(std::make_unique<Model>((dir.path() / "none.obj").string()), "Land.obj", "none.obj");
  useProgram(kDiffuse);

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
