// The scene shader catalogue built from the shipped GLSL sources: success leaves no
// program current, failures are reported in the check order and only the first one,
// and every shipped shader pair compiles, links and declares what the program sets.
#include "render/shader_catalogue.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/render_fixture.h"

namespace quintaval {
namespace {

using testing::currentProgram;

class ShaderCatalogueTest : public testing::RenderFixture {
 protected:
  bool build() { return buildShaderCatalogue(catalogue, settings); }

  void expectAllSevenBuilt() const {
    for (const auto* program :
         {catalogue.normalMapShader.get(), catalogue.distortShader.get(),
          catalogue.sineShader.get(), catalogue.overlayShader.get(), catalogue.modelShader.get(),
          catalogue.lambertShader.get(), catalogue.particleShader.get()}) {
      ASSERT_NE(program, nullptr);
      EXPECT_NE(program->program, 0u);
    }
  }

  DemoSettings settings = [] {
    DemoSettings s;
    s.width = 1280;
    s.height = 1024;
    return s;
  }();
  ShaderCatalogue catalogue;
};

float uniformFloat(const ShaderProgram& p, const char* name, int component = 0) {
  GLfloat values[16] = {};
  glGetUniformfv(p.program, glGetUniformLocation(p.program, name), values);
  return values[component];
}

int uniformInt(const ShaderProgram& p, const char* name) {
  GLint value = -1;
  glGetUniformiv(p.program, glGetUniformLocation(p.program, name), &value);
  return value;
}

TEST_F(ShaderCatalogueTest, ShippedShadersBuildWithDefaultsAndNothingCurrent) {
  EXPECT_TRUE(build());
  EXPECT_TRUE(reporter.messages().empty());
  EXPECT_EQ(currentProgram(), 0);
  expectAllSevenBuilt();

  const ShaderProgram& model = *catalogue.modelShader;
  EXPECT_EQ(uniformInt(model, "diffuseMap"), 3);
  EXPECT_EQ(uniformInt(model, "bumpMap"), 2);
  EXPECT_EQ(uniformFloat(model, "SpecularPower"), 6.0f);
  EXPECT_EQ(uniformFloat(model, "fvLightPosition3", 1), 18.9f);
  EXPECT_EQ(uniformFloat(model, "LightIntensity2"), 2.5f);
  EXPECT_EQ(uniformFloat(*catalogue.sineShader, "resolution", 0), 1280.0f);
  EXPECT_EQ(uniformFloat(*catalogue.sineShader, "resolution", 1), 1024.0f);
  EXPECT_EQ(uniformInt(*catalogue.particleShader, "diffuseMap"), 0);
  EXPECT_EQ(uniformFloat(*catalogue.lambertShader, "Diffuse", 0), 1.0f);
  EXPECT_EQ(uniformFloat(*catalogue.distortShader, "DistortSpeed", 1), 2.5f);
}

TEST_F(ShaderCatalogueTest, BrokenParticleShaderIsReportedAfterTheOthersPassed) {
  breakShader("Particles.frag");
  EXPECT_FALSE(build());
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Error compiling particleShader"});
  expectAllSevenBuilt();
}

TEST_F(ShaderCatalogueTest, OnlyTheFirstFailureInCheckOrderIsReported) {
  breakShader("test.frag");
  breakShader("NormalMap.frag");
  EXPECT_FALSE(build());
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Error compiling normalMapShader"});
  // All seven were built and given their defaults before the check began.
  expectAllSevenBuilt();
  EXPECT_EQ(uniformFloat(*catalogue.lambertShader, "fvLightPosition", 2), 27.2f);
}

TEST_F(ShaderCatalogueTest, ChecksRunModelBeforeSineAndOverlay) {
  breakShader("test.frag");
  breakShader("Overlay.frag");
  breakShader("Model.frag");
  EXPECT_FALSE(build());
  restoreShader("Model.frag");
  EXPECT_FALSE(buildShaderCatalogue(catalogue, settings));
  restoreShader("test.frag");
  EXPECT_FALSE(buildShaderCatalogue(catalogue, settings));
  EXPECT_EQ(reporter.messages(),
            (std::vector<std::string>{"Error compiling modelShader", "Error compiling sineShader",
                                      "Error compiling overlayShader"}));
}

TEST_F(ShaderCatalogueTest, MissingSourceFileCountsAsNotCompiled) {
  removeShader("Lambert.vert");
  EXPECT_FALSE(build());
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Error compiling lambertShader"});
  EXPECT_EQ(catalogue.lambertShader->program, 0u);
}

// A quad facing +z drawn with the model program, lit by one white light in front of it
// or behind it, over a white diffuse texture and the black placeholder bump map.
TEST_F(ShaderCatalogueTest, ModelShaderLightsSurfacesThatFaceTheLight) {
  ASSERT_TRUE(build());
  const float quad[] = {-1, -1, 0, 0, 0, 0, 0, 1,  1, -1, 0, 1, 0, 0, 0, 1,
                        1,  1,  0, 1, 1, 0, 0, 1,  -1, -1, 0, 0, 0, 0, 0, 1,
                        1,  1,  0, 1, 1, 0, 0, 1,  -1, 1,  0, 0, 1, 0, 0, 1};
  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STATIC_DRAW);
  for (GLuint a = 0; a < 3; ++a) glEnableVertexAttribArray(a);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 32, nullptr);
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 32, reinterpret_cast<void*>(12));
  glVertexAttribPointer(2, 3, GL_FLOAT, GL_FALSE, 32, reinterpret_cast<void*>(20));

  const unsigned char white[4] = {255, 255, 255, 255}, black[4] = {0, 0, 0, 0};
  GLuint textures[2] = {};
  glGenTextures(2, textures);
  for (int i = 0; i < 2; ++i) {
    glActiveTexture(i == 0 ? GL_TEXTURE3 : GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, textures[i]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 i == 0 ? white : black);
  }
  glActiveTexture(GL_TEXTURE0);

  const ShaderProgram& model = *catalogue.modelShader;
  model.use();
  for (const char* matrix : {"MVP", "M", "V"}) model.setUniformMatrix4fv(matrix, Mat4());
  model.setUniform4f("Ambient", 0.1f, 0.1f, 0.1f, 1.0f);
  model.setUniform4f("Diffuse", 1.0f, 1.0f, 1.0f, 1.0f);
  model.setUniform4f("Specular", 0.0f, 0.0f, 0.0f, 0.0f);
  model.setUniform4f("LightColor1", 1.0f, 0.5f, 0.25f, 1.0f);
  model.setUniform1f("LightIntensity1", 0.5f);
  model.setUniform1f("LightIntensity2", 0.0f);
  model.setUniform1f("LightIntensity3", 0.0f);

  const auto drawLitFrom = [&](float lightZ) {
    model.setUniform3f("fvLightPosition1", 0.0f, 0.0f, lightZ);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    return pixelAt(kWidth / 2, kHeight / 2);
  };
  // Straight in front: ambient plus the full light, 0.1 + (0.5, 0.25, 0.125).
  const auto front = drawLitFrom(100.0f);
  EXPECT_NEAR(front[0], 153, 2);
  EXPECT_NEAR(front[1], 89, 2);
  EXPECT_NEAR(front[2], 57, 2);
  // Behind: ambient only.
  const auto behind = drawLitFrom(-100.0f);
  EXPECT_NEAR(behind[0], 26, 2);
  EXPECT_NEAR(behind[2], 26, 2);
  ShaderProgram::unuse();
}

// Every pair the program builds, with the uniforms the program sets on it. Each must
// compile and link (a vertex or link error would otherwise only show as a blank
// picture) and declare every one of those uniforms as active.
struct ShippedPair {
  const char* name;
  std::vector<const char*> uniforms;
};

const std::vector<const char*> kLitUniforms = {
    "diffuseMap",       "bumpMap",         "Ambient",          "Diffuse",
    "Specular",         "SpecularPower",   "fvEyePosition",    "LightColor1",
    "LightIntensity1",  "fvLightPosition1", "LightColor2",     "LightIntensity2",
    "fvLightPosition2", "LightColor3",     "LightIntensity3",  "fvLightPosition3",
    "MVP",              "M",               "V"};

TEST_F(ShaderCatalogueTest, EveryShippedPairCompilesLinksAndDeclaresItsUniforms) {
  const std::vector<ShippedPair> pairs = {
      {"NormalMap", kLitUniforms},
      {"Model", kLitUniforms},
      {"Distort",
       {"diffuseMap", "bumpMap", "Ambient", "Diffuse", "Specular", "LightColor",
        "SpecularPower", "SpecularGain", "LightIntensity", "fvLightPosition", "DiffScroll",
        "BumpScroll", "Distort", "DistortSpeed", "MVP", "M"}},
      {"test", {"resolution", "filterMap"}},
      {"Overlay", {"filterMap"}},
      {"Lambert",
       {"diffuseMap", "Ambient", "Diffuse", "fvLightPosition", "Distort", "DistortSpeed", "MVP",
        "M"}},
      {"Particles", {"diffuseMap", "MVP"}},
      {"Filters",
       {"filterNumber", "filterMap", "colorLine", "colorValue1", "colorValue2", "alpha",
        "offset"}},
      {"Bokeh", {"filterMap"}},
      {"Text", {"fontMap", "x", "y", "alpha"}},
  };
  for (const auto& pair : pairs) {
    SCOPED_TRACE(pair.name);
    const std::string base = std::string("Data/Shaders/") + pair.name;
    ShaderProgram program(base + ".vert", base + ".frag");
    EXPECT_EQ(program.compileStatus(), 1);
    GLint vertexCompiled = 0;
    glGetShaderiv(program.vertexShader, GL_COMPILE_STATUS, &vertexCompiled);
    EXPECT_EQ(vertexCompiled, GL_TRUE);
    GLint linked = 0;
    glGetProgramiv(program.program, GL_LINK_STATUS, &linked);
    ASSERT_EQ(linked, GL_TRUE);
    for (const char* uniform : pair.uniforms) {
      EXPECT_NE(glGetUniformLocation(program.program, uniform), -1) << uniform;
    }
    // Attribute locations are fixed by the sources, as the drawing code expects.
    const struct {
      const char* name;
      GLint location;
    } attributes[] = {{"position", 0}, {"texCoord", 1}, {"normal", 2}};
    for (const auto& attribute : attributes) {
      const GLint location = glGetAttribLocation(program.program, attribute.name);
      if (location != -1) {
        EXPECT_EQ(location, attribute.location) << attribute.name;
      }
    }
    EXPECT_EQ(glGetAttribLocation(program.program, "position"), 0);
  }
}

}  // namespace
}  // namespace quintaval
