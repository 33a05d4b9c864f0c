// The seven programs the scenes draw with, built at start-up into the shader library and
// given their starting uniform values: "NormalMap", "Distort", "Model", "test" (the sine
// program), "Overlay", "Lambert" and "Particles". The 3D scene draws with "Model"; the
// others are built and checked so that a broken shader file stops the program at start-up.
#pragma once

#include "core/demo_settings.h"
#include "render/shader_library.h"

namespace quintaval {

// Builds all seven into `shaders` and sets their defaults ("resolution" of the sine
// program is the window size from `settings`), then checks them in the same order.
// Returns false after reporting the first failure ("Error compiling modelShader", ...);
// all seven stay in the library. On success no program is current.
bool buildSceneShaders(ShaderLibrary& shaders, const DemoSettings& settings);

}  // namespace quintaval
