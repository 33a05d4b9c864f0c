#include "support/gl_test_context.h"

#include <GLFW/glfw3.h>

#include <cstdio>

namespace quintaval::testing {

GlTestContext::GlTestContext(int width, int height, int samples) {
  glfwSetErrorCallback([](int, const char* description) { std::fprintf(stderr, "%s\n", description); });
  if (!glfwInit()) return;
  glfwDefaultWindowHints();
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  if (samples > 0) glfwWindowHint(GLFW_SAMPLES, samples);
  window_ = glfwCreateWindow(width, height, "quintaval test", nullptr, nullptr);
  if (!window_) return;
  glfwMakeContextCurrent(window_);
  glewExperimental = GL_TRUE;
  if (glewInit() != GLEW_OK) {
    glfwDestroyWindow(window_);
    window_ = nullptr;
    return;
  }
  glGetError();  // GLEW leaves GL_INVALID_ENUM behind on core contexts
  // Core profiles draw nothing without a bound vertex array object; the program binds
  // one for its whole run, and so do the tests.
  glGenVertexArrays(1, &vao_);
  glBindVertexArray(vao_);
}

GlTestContext::~GlTestContext() {
  if (window_) {
    glDeleteVertexArrays(1, &vao_);
    glfwDestroyWindow(window_);
  }
  glfwTerminate();
}

std::vector<unsigned char> GlTestContext::readPixels(int x, int y, int width, int height) {
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

}  // namespace quintaval::testing
