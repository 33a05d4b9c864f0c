// Models on the GPU: material colours as 1x1 textures, what a mesh binds on units 1 to 7,
// point drawing read back, and drawing by name through the library into a render target
// that stays bound.
#include "render/model.h"

#include <memory>

#include "assets/texture_library.h"
#include "render/model_library.h"
#include "render/render_target.h"
#include "render/shader_program.h"
#include "support/gl_fixture.h"

namespace quintaval {
namespace {

using Texels = std::vector<float>;

const char* const kDiffuse = "vec4(texture(diffuseMap, vec2(0.5)).rgb, 1.0)";

class ModelTest : public testing::GlFixture {
 protected:
  // A quad from (x0, -1) to (x1, 1) facing +z, one four-corner face of the material in
  // `mtl`, in the model file at `relative` with "paint.mtl" beside it.
  std::unique_ptr<Model> load(const std::string& relative, int x0, int x1, const std::string& mtl) {
    const std::string a = std::to_string(x0), b = std::to_string(x1);
    dir.write(relative.substr(0, relative.rfind('/') + 1) + "paint.mtl", "newmtl paint\n" + mtl);
    const std::string obj = "mtllib paint.mtl\nv " + a + " -1 0\nv " + b + " -1 0\nv " + b + " 1 0\nv " + a +
                            " 1 0\nvt 0 0\nvn 0 0 1\nusemtl paint\nf 1/1/1 2/1/1 3/1/1 4/1/1\n";
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

  static GLint boundOn(GLenum unit) {
    glActiveTexture(unit);
    return glInteger(GL_TEXTURE_BINDING_2D);
  }

  TextureLibrary textures;
};

// Colours become 1x1 textures (unclamped; the default material's white Kd and black
// Ka). A range binds its maps, or else its colours, on units 1 to 7; a map name the
// library lacks binds no texture, not the colour.
TEST_F(ModelTest, EachRangeBindsItsMapsOrColourTexturesOnUnitsOneToSeven) {
  const auto model = load("m.obj", -1, 1, "Kd 0.5 0.25 1\nKa 2 0 0\nKe 0.1\nmap_Kd nowhere.png\nmap_d nowhere.png\n");
  const Model::ColorTextures paint = model->colorTextures(0), fallback = model->colorTextures(-1);
  const std::pair<GLuint, Texels> colours[] = {
      {paint.kd, {0.5f, 0.25f, 1, 1}}, {paint.ka, {2, 0, 0, 1}},    {paint.ke, {0.1f, 0, 0, 1}},
      {paint.ks, {0, 0, 0, 1}},        {fallback.kd, {1, 1, 1, 1}}, {fallback.ka, {0, 0, 0, 1}}};
  for (const auto& [texture, texel] : colours) EXPECT_EQ(texels(texture), texel) << "texture " << texture;
  useProgram(kDiffuse);
  model->draw();
  EXPECT_EQ(glInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
  const std::pair<GLenum, GLuint> bindings[] = {{GL_TEXTURE1, paint.ka}, {GL_TEXTURE3, 0}, {GL_TEXTURE4, paint.ke},
                                                {GL_TEXTURE5, paint.ks}, {GL_TEXTURE6, 0}, {GL_TEXTURE7, 0}};
  for (const auto& [unit, texture] : bindings) {
    EXPECT_EQ(boundOn(unit), static_cast<GLint>(texture)) << "unit " << unit - GL_TEXTURE0;
  }
  // Without a bump map: a flat texture, which tilts no normal.
  EXPECT_EQ(texels(boundOn(GL_TEXTURE2)), (Texels{0, 0, 0, 0}));
  expectPixel(10, 10, {0, 0, 0});  // a texture-less diffuseMap samples black
  GLint enabled = 1;
  glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
  EXPECT_EQ(enabled, 0);
  EXPECT_TRUE(reporter.messages().empty());
}

TEST_F(ModelTest, PositionsOnlyModelsAreDrawnAsAdditivePoints) {
  const auto model = std::make_unique<Model>(dir.write("p.obj", "v 0 0 0\nf 1 1 1\n").string());
  ASSERT_TRUE(model->uploaded());
  EXPECT_TRUE(model->pointMode());
  useProgram("vec4(0.25, 0.5, 1.0, 1.0)");
  model->draw();
  model->draw();
  expectRect(kWidth / 2 - 4, kHeight / 2 - 4, kWidth / 2 + 4, kHeight / 2 + 4, {128, 255, 255});
  expectPixel(2, 2, {0, 0, 0});
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

// Drawing goes to the bound target, which stays bound with its viewport; each quad is a
// fan of two triangles that together cover its half of the target.
TEST_F(ModelTest, DrawByNameDrawsEveryLoadedModelOfThatExactNameIntoTheBoundTarget) {
  ModelLibrary library;
  library.add(load("a/Land.obj", -1, 0, "Kd 1 0 0\n"), "Land.obj", "a/Land.obj");
  library.add(load("b/Land.obj", 0, 1, "Kd 0 0 1\n"), "Land.obj", "b/Land.obj");
  library.add(std::make_unique<Model>((dir.path() / "none.obj").string()), "Land.obj", "none.obj");
  useProgram(kDiffuse);
  RenderTarget target(0, 8, 8);
  target.bind();
  glClear(GL_COLOR_BUFFER_BIT);
  library.drawByName("land.obj");
  library.drawByName("Land");
  EXPECT_EQ(texels(target.colorTexture, 64), Texels(256, 0.0f));
  library.drawByName("Land.obj");
  EXPECT_EQ(glInteger(GL_DRAW_FRAMEBUFFER_BINDING), static_cast<GLint>(target.FBO));
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 8);
  Texels expected;
  for (int i = 0; i < 64; ++i) expected.insert(expected.end(), {i % 8 < 4 ? 1.0f : 0, 0, i % 8 < 4 ? 0 : 1.0f, 1});
  EXPECT_EQ(texels(target.colorTexture, 64), expected);
  EXPECT_FALSE(library.model(2).loaded());
  EXPECT_TRUE(reporter.messages().empty());
}

// Author mode: a model is replaced only by one that loaded with geometry.
TEST_F(ModelTest, ReloadReplacesOnlyModelsThatLoadAgain) {
  ModelLibrary library;
  const std::string path = dir.write("r/Zepp.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//1\n").string();
  library.add(std::make_unique<Model>(path), "Zepp.obj", path);
  library.add(load("r/Land.obj", -1, 0, "Kd 1 0 0\n"), "Land.obj", (dir.path() / "r/Land.obj").string());
  const Model* zepp = &library.model(0);
  const Model* land = &library.model(1);
  EXPECT_TRUE(library.reload("Zepp.obj", nullptr));
  EXPECT_NE(&library.model(0), zepp);
  EXPECT_EQ(&library.model(1), land);
  zepp = &library.model(0);
  dir.write("r/Zepp.obj", "this is not an obj file\n");
  EXPECT_FALSE(library.reload("", nullptr));
  EXPECT_EQ(&library.model(0), zepp);
  EXPECT_NE(&library.model(1), land);  // the other model reloaded all the same
  EXPECT_FALSE(library.reload("Other.obj", nullptr));
  EXPECT_FALSE(Model().load((dir.path() / "r/Missing.obj").string()));
}

}  // namespace
}  // namespace quintaval
