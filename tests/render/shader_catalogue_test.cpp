// The scene shader catalogue built from the shipped GLSL sources: success leaves every
// program built with its defaults and none current; failures are reported in the check
// order, only the first one; and every shipped pair links.
#include "render/shader_catalogue.h"

#include "support/gl_fixture.h"

namespace quintaval {
namespace {

class ShaderCatalogueTest : public testing::GlFixture {
 protected:
  void expectAllSevenBuilt() const {
    const ShaderCatalogue& c = catalogue;
    for (const auto* p : {&c.normalMapShader, &c.distortShader, &c.sineShader, &c.overlayShader, &c.modelShader,
                          &c.lambertShader, &c.particleShader}) EXPECT_TRUE(*p && (*p)->program != 0);
  }

  DemoSettings settings{1280, 1024};  // width, height
  ShaderCatalogue catalogue;
};

TEST_F(ShaderCatalogueTest, ShippedShadersBuildWithTheirDefaultsAndNothingCurrent) {
  EXPECT_TRUE(buildShaderCatalogue(catalogue, settings));
  EXPECT_TRUE(reporter.messages().empty());
  EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), 0);
  expectAllSevenBuilt();
  // The model program samples the units the model binds; the sine program gets the window size.
  EXPECT_EQ(uniformValues(catalogue.modelShader->program, "diffuseMap", 1), std::vector<float>{3});
  EXPECT_EQ(uniformValues(catalogue.modelShader->program, "bumpMap", 1), std::vector<float>{2});
  EXPECT_EQ(uniformValues(catalogue.sineShader->program, "resolution", 2), (std::vector<float>{1280, 1024}));
}

// The checks run normal map, distort, model, sine, overlay, lambert, particles; each row
// breaks one program and some later ones. All seven are built and given their defaults
// before the check begins. A missing source counts as not compiled.
TEST_F(ShaderCatalogueTest, OnlyTheFirstFailureInCheckOrderIsReported) {
  const std::pair<std::vector<const char*>, const char*> cases[] = {
      {{"test.frag", "NormalMap.frag"}, "Error compiling normalMapShader"},
      {{"Overlay.frag", "test.frag", "Model.frag"}, "Error compiling modelShader"},
      {{"Overlay.frag", "test.frag"}, "Error compiling sineShader"},
      {{"Particles.frag", "Overlay.frag"}, "Error compiling overlayShader"},
      {{"Particles.frag"}, "Error compiling particleShader"}};
  for (const auto& [broken, message] : cases) {
    for (const char* file : broken) breakShader(file);
    EXPECT_FALSE(buildShaderCatalogue(catalogue, settings));
    EXPECT_EQ(reporter.messages(), std::vector<std::string>{message});
    expectAllSevenBuilt();
    EXPECT_EQ(uniformValues(catalogue.lambertShader->program, "fvLightPosition", 3)[2], 27.2f);
    for (const char* file : broken) restoreShader(file);
    reporter.clear();
  }
  std::filesystem::remove("Data/Shaders/Lambert.vert");
  EXPECT_FALSE(buildShaderCatalogue(catalogue, settings));
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Error compiling lambertShader"});
  EXPECT_EQ(catalogue.lambertShader->program, 0u);
}

// Every shipped pair links, vertex shader and all, though start-up checks only that the
// fragment shader compiles (Bokeh and Filters belong to the post-processor, Text to the
// overlay).
TEST_F(ShaderCatalogueTest, EveryShippedPairLinks) {
  for (const char* name : {"NormalMap", "Model", "Distort", "test", "Overlay", "Bokeh", "Lambert", "Particles", "Text",
                           "Filters"}) {
    const std::string base = std::string("Data/Shaders/") + name;
    GLint linked = 0;
    glGetProgramiv(ShaderProgram(base + ".vert", base + ".frag").program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE) << name;
  }
}

}  // namespace
}  // namespace quintaval
