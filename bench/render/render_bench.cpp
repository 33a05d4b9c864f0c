// Costs of the rendering core on the machine's GL driver: one full-screen picture
// through the post-processor, the per-frame uniform updates of the model program (every
// location looked up by name), and building the seven scene programs.
// Needs a display and the laid-out shaders; from the build directory:
//   cd demo && ../../tests/support/with-xvfb.sh ../bench/render_bench
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "core/demo_settings.h"
#include "render/post_processor.h"
#include "render/scene_shaders.h"

namespace quintaval {
namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

// One hidden 3.3 core window for the whole run, as the program has.
bool openContext() {
  static bool ok = [] {
    if (!glfwInit()) return false;
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    GLFWwindow* window = glfwCreateWindow(kWidth, kHeight, "render bench", nullptr, nullptr);
    if (!window) return false;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) return false;
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glViewport(0, 0, kWidth, kHeight);
    return true;
  }();
  return ok;
}

void BM_DrawTextureFullScreen(benchmark::State& state) {
  if (!openContext()) return state.SkipWithError("no GL context");
  ShaderLibrary shaders;
  PostProcessor post(shaders, 0, kWidth, kHeight);
  if (post.failed) return state.SkipWithError("post-processor failed (run from build/demo)");
  std::vector<unsigned char> pixels(static_cast<size_t>(kWidth) * kHeight * 4, 128);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kWidth, kHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               pixels.data());
  post.setOffset(0.0f, 0.0f);
  for (auto _ : state) {
    post.clear();
    post.drawTexture(texture, 0.75f);
    glFinish();
  }
}
BENCHMARK(BM_DrawTextureFullScreen)->Unit(benchmark::kMillisecond);

void BM_ModelUniformsPerFrame(benchmark::State& state) {
  if (!openContext()) return state.SkipWithError("no GL context");
  ShaderLibrary shaders;
  DemoSettings settings;
  settings.width = kWidth;
  settings.height = kHeight;
  if (!buildSceneShaders(shaders, settings)) return state.SkipWithError("scene shaders failed");
  const ShaderProgram& model = *shaders.find("Model");
  const Mat4 matrix;
  for (auto _ : state) {
    model.use();
    model.setUniform1i("diffuseMap", 3);
    model.setUniformMatrix4fv("MVP", matrix);
    model.setUniformMatrix4fv("M", matrix);
    model.setUniformMatrix4fv("V", matrix);
    model.setUniform4f("Ambient", 0.2f, 0.2f, 0.2f, 1.0f);
    for (const char* color : {"LightColor1", "LightColor2", "LightColor3"}) {
      model.setUniform4f(color, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    for (const char* intensity : {"LightIntensity1", "LightIntensity2", "LightIntensity3"}) {
      model.setUniform1f(intensity, 1.0f);
    }
    for (const char* position : {"fvLightPosition1", "fvLightPosition2", "fvLightPosition3"}) {
      model.setUniform3f(position, 1.0f, 2.0f, 3.0f);
    }
    model.setUniform3f("fvEyePosition", 0.0f, 0.0f, 0.0f);
  }
  ShaderProgram::unuse();
}
BENCHMARK(BM_ModelUniformsPerFrame)->Unit(benchmark::kMicrosecond);

void BM_BuildSceneShaders(benchmark::State& state) {
  if (!openContext()) return state.SkipWithError("no GL context");
  DemoSettings settings;
  settings.width = kWidth;
  settings.height = kHeight;
  for (auto _ : state) {
    ShaderLibrary shaders;
    if (!buildSceneShaders(shaders, settings)) return state.SkipWithError("scene shaders failed");
    glFinish();
  }
}
BENCHMARK(BM_BuildSceneShaders)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace quintaval

BENCHMARK_MAIN();
