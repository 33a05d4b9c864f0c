// The seven scene programs, built once at start-up from "Data/Shaders/" and given their
// starting uniform values. The 3D scene draws with `modelShader`; the others are built
// and checked so that a broken shader file stops the program at start-up.
#pragma once

#include <memory>

#include "core/demo_settings.h"
#include "render/shader_program.h"

namespace quintaval {

struct ShaderCatalogue {
  std::unique_ptr<ShaderProgram> normalMapShader;  // NormalMap.vert / .frag
  std::unique_ptr<ShaderProgram> distortShader;    // Distort
  std::unique_ptr<ShaderProgram> sineShader;       // test
  std::unique_ptr<ShaderProgram> overlayShader;    // Overlay
  std::unique_ptr<ShaderProgram> modelShader;      // Model
  std::unique_ptr<ShaderProgram> lambertShader;    // Lambert
  std::unique_ptr<ShaderProgram> particleShader;   // Particles
};

// Builds all seven programs into `catalogue` and sets their defaults ("resolution" of
// the sine program is the window size from `settings`), then checks them in a fixed
// order. Returns false after reporting the first failure ("Error compiling
// modelShader", ...); all programs built so far stay in `catalogue`. On success no
// program is current.
bool buildShaderCatalogue(ShaderCatalogue& catalogue, const DemoSettings& settings);

}  // namespace quintaval
