// A hidden GLFW window with an OpenGL 3.3 core context and GLEW loaded, for tests that
// need GL. Tests run inside Xvfb (see with-xvfb.sh), so this is Mesa's llvmpipe.
#pragma once

#include <GL/glew.h>

#include <vector>

struct GLFWwindow;

namespace quintaval::testing {

class GlTestContext {
 public:
  // samples > 0 asks for a multisampled default framebuffer.
  explicit GlTestContext(int width = 640, int height = 360, int samples = 0);
  ~GlTestContext();
  GlTestContext(const GlTestContext&) = delete;
  GlTestContext& operator=(const GlTestContext&) = delete;

  bool ok() const { return window_ != nullptr; }
  GLFWwindow* window() const { return window_; }

  // RGBA8 pixels of the current read framebuffer, bottom row first.
  static std::vector<unsigned char> readPixels(int x, int y, int width, int height);

 private:
  GLFWwindow* window_ = nullptr;
  GLuint vao_ = 0;
};

}  // namespace quintaval::testing
