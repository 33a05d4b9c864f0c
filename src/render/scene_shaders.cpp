// Building the scene programs. All seven are built and given their defaults before any
// is checked, and only the first failure is reported. The failure messages name each
// program by its role in the scenes, not by its files.
#include "render/scene_shaders.h"

#include "core/error_report.h"
#include "render/shader_support.h"

namespace quintaval {

namespace {

// The lit programs (normal-mapped and model) share their starting values: a grey
// material and three identical dim blue lights.
void setLitDefaults(const ShaderProgram& p, const DemoSettings&) {
  p.setUniform1i("diffuseMap", 3);
  p.setUniform1i("bumpMap", 2);
  p.setUniform4f("Ambient", 0.4f, 0.4f, 0.4f, 1.0f);
  p.setUniform4f("Diffuse", 0.4f, 0.4f, 0.4f, 1.0f);
  p.setUniform4f("Specular", 0.5f, 0.5f, 0.5f, 0.5f);
  p.setUniform1f("SpecularPower", 6.0f);
  p.setUniform3f("fvEyePosition", 0.0f, 0.0f, 0.0f);
  p.setUniform4f("LightColor1", 0.2f, 0.2f, 0.3f, 1.0f);
  p.setUniform1f("LightIntensity1", 2.5f);
  p.setUniform3f("fvLightPosition1", 50.3f, 18.9f, 27.2f);
  p.setUniform4f("LightColor2", 0.2f, 0.2f, 0.3f, 1.0f);
  p.setUniform1f("LightIntensity2", 2.5f);
  p.setUniform3f("fvLightPosition2", 50.3f, 18.9f, 27.2f);
  p.setUniform4f("LightColor3", 0.2f, 0.2f, 0.3f, 1.0f);
  p.setUniform1f("LightIntensity3", 2.5f);
  p.setUniform3f("fvLightPosition3", 50.3f, 18.9f, 27.2f);
}

void setDistortDefaults(const ShaderProgram& p, const DemoSettings&) {
  p.setUniform1i("diffuseMap", 3);
  p.setUniform1i("bumpMap", 2);
  p.setUniform4f("Ambient", 0.4f, 0.4f, 0.4f, 1.0f);
  p.setUniform4f("Diffuse", 0.4f, 0.4f, 0.4f, 1.0f);
  p.setUniform4f("Specular", 0.5f, 0.5f, 0.5f, 0.5f);
  p.setUniform4f("LightColor", 0.2f, 0.2f, 0.3f, 1.0f);
  p.setUniform1f("SpecularPower", 6.0f);
  p.setUniform1f("SpecularGain", 1.0f);
  p.setUniform1f("LightIntensity", 2.5f);
  p.setUniform3f("fvLightPosition", 50.3f, 18.9f, 27.2f);
  p.setUniform1f("DiffScroll", 2.0f);
  p.setUniform1f("BumpScroll", 2.0f);
  p.setUniform2f("Distort", 2.5f, 2.5f);
  p.setUniform2f("DistortSpeed", 2.5f, 2.5f);
}

void setSineDefaults(const ShaderProgram& p, const DemoSettings& settings) {
  p.setUniform2f("resolution", static_cast<float>(settings.width), static_cast<float>(settings.height));
  p.setUniform1i("filterMap", 0);
}

void setOverlayDefaults(const ShaderProgram& p, const DemoSettings&) { p.setUniform1i("filterMap", 0); }

void setLambertDefaults(const ShaderProgram& p, const DemoSettings&) {
  p.setUniform1i("diffuseMap", 3);
  p.setUniform4f("Ambient", 0.4f, 0.4f, 0.4f, 1.0f);
  p.setUniform4f("Diffuse", 1.0f, 0.4f, 0.4f, 1.0f);
  p.setUniform3f("fvLightPosition", 50.3f, 18.9f, 27.2f);
  p.setUniform2f("Distort", 2.5f, 2.5f);
  p.setUniform2f("DistortSpeed", 2.5f, 2.5f);
}

void setParticleDefaults(const ShaderProgram& p, const DemoSettings&) { p.setUniform1i("diffuseMap", 0); }

struct SceneShader {
  const char* stem;
  const char* failure;
  void (*setDefaults)(const ShaderProgram&, const DemoSettings&);
};

// In the order they are built and checked.
constexpr SceneShader kSceneShaders[] = {
    {"NormalMap", "Error compiling normalMapShader", setLitDefaults},
    {"Distort", "Error compiling distortShader", setDistortDefaults},
    {"Model", "Error compiling modelShader", setLitDefaults},
    {"test", "Error compiling sineShader", setSineDefaults},
    {"Overlay", "Error compiling overlayShader", setOverlayDefaults},
    {"Lambert", "Error compiling lambertShader", setLambertDefaults},
    {"Particles", "Error compiling particleShader", setParticleDefaults},
};

}  // namespace

bool buildSceneShaders(ShaderLibrary& shaders, const DemoSettings& settings) {
  if (!shadersSupported()) {
    reportError("Vertex and fragment shaders not supported!");
    return false;
  }

  // Defaults are set before any program is checked, so a program that failed to
  // compile receives them too; its setters then have nothing to act on.
  for (const SceneShader& scene : kSceneShaders) {
    ShaderProgram& program = shaders.build(scene.stem);
    program.use();
    scene.setDefaults(program, settings);
  }
  for (const SceneShader& scene : kSceneShaders) {
    if (shaders.find(scene.stem)->compileStatus() != 1) {
      reportError(scene.failure);
      return false;
    }
  }

  ShaderProgram::unuse();
  return true;
}

}  // namespace quintaval
