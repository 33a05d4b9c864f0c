#include "app/window.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>

#include "core/error_report.h"

namespace quintaval {

constexpr char kWindowTitle[] = "Quintaval demosystem";

void glfwErrorCallback(int, const char* description) {
  std::fputs(description, stderr);
  std::fputc('\n', stderr);
}

bool openWindow(const DemoSettings& settings, int width, int height, bool visible) {
  glfwSetErrorCallback(glfwErrorCallback);
  if (!glfwInit()) {
    reportError("Unable to initialize GLFW!");
    return false;
  }

  glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
  glfwWindowHint(GLFW_VISIBLE, visible ? GLFW_TRUE : GLFW_FALSE);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  // Without multisampling no sample hint is given at all, leaving GLFW's default.
  if (settings.multisampling) glfwWindowHint(GLFW_SAMPLES, 4);

  const bool fullscreen = settings.fullscreen;
  GLFWmonitor* monitor = fullscreen ? glfwGetPrimaryMonitor() : nullptr;
  // GLFW asserts on negative sizes; such a size cannot open a window anyway.
  GLFWwindow* window = (width >= 0 && height >= 0)
                           ? glfwCreateWindow(width, height, kWindowTitle, monitor, nullptr)
                           : nullptr;
  if (!window) {
    reportError(fullscreen ? "Unable to open screen!" : "Unable to open window!");
    return false;
  }

  glfwMakeContextCurrent(window);
  glfwSwapInterval(settings.vsync ? 1 : 0);
  // Sticky keys keep a press that happens between two polls.
  glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_TRUE);
  glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
  return true;
}

bool loadGlEntryPoints() {
  glewExperimental = GL_TRUE;
  if (glewInit() != GLEW_OK) {
    reportError("Unable to initialize GLEW!");
    return false;
  }
  // On a core profile GLEW's extension probing leaves GL_INVALID_ENUM behind.
  glGetError();
  return true;
}

}  // namespace quintaval
