// A hidden GLFW window with an OpenGL 3.3 core context and GLEW loaded, for tests that
// need GL. Tests run inside Xvfb (see with-xvfb.sh), so this is Mesa's llvmpipe.
#pragma once

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <vector>

namespace quintaval::testing {

class GlTestContext {
 public:
  explicit GlTestContext(int width = 640, int height = 360) {
    glfwSetErrorCallback([](int, const char* description) { std::fprintf(stderr, "%s\n", description); });
    if (!glfwInit()) return;
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    window_ = glfwCreateWindow(width, height, "quintaval test", nullptr, nullptr);
    if (!window_) return;
    glfwMakeContextCurrent(window_);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) return;
    glGetError();  // GLEW leaves GL_INVALID_ENUM behind on core contexts
    // Core profiles draw nothing without a bound vertex array object; the program binds
    // one for its whole run, and so do the tests.
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    ready_ = true;
  }
  ~GlTestContext() {
    if (window_) glfwDestroyWindow(window_);  // and the context's objects with it
    glfwTerminate();
  }
  GlTestContext(const GlTestContext&) = delete;
  GlTestContext& operator=(const GlTestContext&) = delete;

  bool ok() const { return ready_; }
  GLFWwindow* window() const { return window_; }

  // RGBA8 pixels of the current read framebuffer, bottom row first.
  static std::vector<unsigned char> readPixels(int x, int y, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }

 private:
  GLFWwindow* window_ = nullptr;
  bool ready_ = false;
};

}  // namespace quintaval::testing
