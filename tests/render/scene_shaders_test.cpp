// The scene shaders built from the shipped GLSL sources into a shader library: success
// leaves every program built with its defaults and none current; failures are reported
// in the build order, only the first one; and every shipped pair links.
#include "render/scene_shaders.h"

#include "support/gl_fixture.h"

namespace quintaval {
namespace {

constexpr const char* kSceneStems[] = {"NormalMap", "Distort", "Model", "test", "Overlay", "Lambert", "Particles"};

class SceneShadersTest : public testing::GlFixture {
 protected:
  static void expectAllSevenBuilt(const ShaderLibrary& shaders) {
    EXPECT_EQ(shaders.count(), 7u);
    for (const char* stem : kSceneStems) EXPECT_TRUE(shaders.find(stem) && shaders.find(stem)->program != 0) << stem;
  }

  DemoSettings settings{1280, 1024};  // width, height
};

TEST_F(SceneShadersTest, ShippedShadersBuildWithTheirDefaultsAndNothingCurrent) {
  ShaderLibrary shaders;
  EXPECT_TRUE(buildSceneShaders(shaders, settings));
  EXPECT_TRUE(reporter.messages().empty());
  EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), 0);
  expectAllSevenBuilt(shaders);
  // The model program samples the units the model binds; the sine program gets the window size.
  EXPECT_EQ(uniformValues(shaders.find("Model")->program, "diffuseMap", 1), std::vector<float>{3});
  EXPECT_EQ(uniformValues(shaders.find("Model")->program, "bumpMap", 1), std::vector<float>{2});
  EXPECT_EQ(uniformValues(shaders.find("test")->program, "resolution", 2), (std::vector<float>{1280, 1024}));
  // Built once: a second build of a stem is the first program.
  EXPECT_EQ(&shaders.build("Model"), shaders.find("Model"));
  EXPECT_EQ(shaders.find("model"), nullptr);  // names are exact
}

// The checks run normal map, distort, model, sine, overlay, lambert, particles; each row
// breaks one program and some later ones. All seven are built and given their defaults
// before the check begins. A missing source counts as not compiled.
TEST_F(SceneShadersTest, OnlyTheFirstFailureInCheckOrderIsReported) {
  const std::pair<std::vector<const char*>, const char*> cases[] = {
      {{"test.frag", "NormalMap.frag"}, "Error compiling normalMapShader"},
      {{"Overlay.frag", "test.frag", "Model.frag"}, "Error compiling modelShader"},
      {{"Overlay.frag", "test.frag"}, "Error compiling sineShader"},
      {{"Particles.frag", "Overlay.frag"}, "Error compiling overlayShader"},
      {{"Particles.frag"}, "Error compiling particleShader"}};
  for (const auto& [broken, message] : cases) {
    for (const char* file : broken) breakShader(file);
    ShaderLibrary shaders;
    EXPECT_FALSE(buildSceneShaders(shaders, settings));
    EXPECT_EQ(reporter.messages(), std::vector<std::string>{message});
    expectAllSevenBuilt(shaders);
    EXPECT_EQ(uniformValues(shaders.find("Lambert")->program, "fvLightPosition", 3)[2], 27.2f);
    for (const char* file : broken) restoreShader(file);
    reporter.clear();
  }
  std::filesystem::remove("Data/Shaders/Lambert.vert");
  ShaderLibrary shaders;
  EXPECT_FALSE(buildSceneShaders(shaders, settings));
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Error compiling lambertShader"});
  EXPECT_EQ(shaders.find("Lambert")->program, 0u);
}

// Every shipped pair links, vertex shader and all, though start-up checks only that the
// fragment shader compiles (Bokeh and Filters belong to the post-processor, Text to the
// overlay).
TEST_F(SceneShadersTest, EveryShippedPairLinks) {
  ShaderLibrary shaders;
  for (const char* stem : {"NormalMap", "Model", "Distort", "test", "Overlay", "Bokeh", "Lambert", "Particles", "Text",
                           "Filters"}) {
    GLint linked = 0;
    glGetProgramiv(shaders.build(stem).program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE) << stem;
  }
}

}  // namespace
}  // namespace quintaval
