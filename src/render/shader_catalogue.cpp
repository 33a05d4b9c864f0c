// Building the scene programs. All seven are built and given their defaults before any
// is checked, and the check runs in its own order (the model program before the sine
// and overlay programs), reporting only the first failure.
#include "render/shader_catalogue.h"

#include <string>

#include "core/data_paths.h"
#include "core/error_report.h"
#include "render/shader_support.h"

namespace quintaval {

namespace {

std::unique_ptr<ShaderProgram> buildProgram(const std::string& name) {
  const std::string base = kShaderDir + name;
  auto program = std::make_unique<ShaderProgram>(base + ".vert", base + ".frag");
  program->use();
  return program;
}

// The lit programs (normal-mapped and model) share their starting values: a grey
// material and three identical dim blue lights.
void setLitDefaults(const ShaderProgram& p) {
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

void setDistortDefaults(const ShaderProgram& p) {
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

void setLambertDefaults(const ShaderProgram& p) {
  p.setUniform1i("diffuseMap", 3);
  p.setUniform4f("Ambient", 0.4f, 0.4f, 0.4f, 1.0f);
  p.setUniform4f("Diffuse", 1.0f, 0.4f, 0.4f, 1.0f);
  p.setUniform3f("fvLightPosition", 50.3f, 18.9f, 27.2f);
  p.setUniform2f("Distort", 2.5f, 2.5f);
  p.setUniform2f("DistortSpeed", 2.5f, 2.5f);
}

}  // namespace

bool buildShaderCatalogue(ShaderCatalogue& catalogue, const DemoSettings& settings) {
  if (!shadersSupported()) {
    reportError("Vertex and fragment shaders not supported!");
    return false;
  }

  // Defaults are set before any program is checked, so a program that failed to
  // compile receives them too; its setters then have nothing to act on.
  catalogue.normalMapShader = buildProgram("NormalMap");
  setLitDefaults(*catalogue.normalMapShader);

  catalogue.distortShader = buildProgram("Distort");
  setDistortDefaults(*catalogue.distortShader);

  catalogue.sineShader = buildProgram("test");
  catalogue.sineShader->setUniform2f("resolution", static_cast<float>(settings.width),
                                     static_cast<float>(settings.height));
  catalogue.sineShader->setUniform1i("filterMap", 0);

  catalogue.overlayShader = buildProgram("Overlay");
  catalogue.overlayShader->setUniform1i("filterMap", 0);

  catalogue.modelShader = buildProgram("Model");
  setLitDefaults(*catalogue.modelShader);

  catalogue.lambertShader = buildProgram("Lambert");
  setLambertDefaults(*catalogue.lambertShader);

  catalogue.particleShader = buildProgram("Particles");
  catalogue.particleShader->setUniform1i("diffuseMap", 0);

  const struct {
    const ShaderProgram* program;
    const char* message;
  } checks[] = {
      {catalogue.normalMapShader.get(), "Error compiling normalMapShader"},
      {catalogue.distortShader.get(), "Error compiling distortShader"},
      {catalogue.modelShader.get(), "Error compiling modelShader"},
      {catalogue.sineShader.get(), "Error compiling sineShader"},
      {catalogue.overlayShader.get(), "Error compiling overlayShader"},
      {catalogue.lambertShader.get(), "Error compiling lambertShader"},
      {catalogue.particleShader.get(), "Error compiling particleShader"},
  };
  for (const auto& check : checks) {
    if (check.program->compileStatus() != 1) {
      reportError(check.message);
      return false;
    }
  }

  ShaderProgram::unuse();
  return true;
}

}  // namespace quintaval
