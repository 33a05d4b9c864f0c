#include "app/window.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <string>

#include "core/error_report.h"

namespace quintaval {

namespace {

constexpr char kWindowTitle[] = "Quintaval demosystem";

void printGlfwError(int, const char* description) {
  std::fputs(description, stderr);
  std::fputc('\n', stderr);
}

}  // namespace

Window::~Window() { close(); }

bool Window::open(const DemoSettings& settings, int width, int height, bool visible) {
  glfwSetErrorCallback(printGlfwError);
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
  window_ = (width >= 0 && height >= 0) ? glfwCreateWindow(width, height, kWindowTitle, monitor, nullptr) : nullptr;
  if (!window_) {
    reportError(fullscreen ? "Unable to open screen!" : "Unable to open window!");
    return false;
  }

  glfwMakeContextCurrent(window_);
  glfwSwapInterval(settings.vsync ? 1 : 0);
  // Sticky keys keep a press that happens between two polls.
  glfwSetInputMode(window_, GLFW_STICKY_KEYS, GLFW_TRUE);
  glfwSetInputMode(window_, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
  return true;
}

void Window::close() {
  if (!window_) return;
  window_ = nullptr;
  glfwTerminate();
}

void Window::pollEvents() { glfwPollEvents(); }

bool Window::quitRequested() const {
  return window_ != nullptr && (glfwWindowShouldClose(window_) || glfwGetKey(window_, GLFW_KEY_ESCAPE) == GLFW_PRESS);
}

void Window::present() {
  if (window_) glfwSwapBuffers(window_);
}

void Window::onKey(std::function<void(int key, int mods, bool repeat)> listener) {
  keyListener_ = std::move(listener);
  glfwSetWindowUserPointer(window_, this);
  glfwSetKeyCallback(window_, &Window::keyCallback);
}

void Window::keyCallback(GLFWwindow* window, int key, int, int action, int mods) {
  const auto* self = static_cast<const Window*>(glfwGetWindowUserPointer(window));
  if (action != GLFW_RELEASE && self && self->keyListener_) self->keyListener_(key, mods, action == GLFW_REPEAT);
}

void Window::showCursor() { glfwSetInputMode(window_, GLFW_CURSOR, GLFW_CURSOR_NORMAL); }

bool Window::takeCloseRequest() {
  if (!window_ || !glfwWindowShouldClose(window_)) return false;
  glfwSetWindowShouldClose(window_, GLFW_FALSE);
  return true;
}

void Window::markUnsaved(bool unsaved) {
  if (!window_ || unsaved == markedUnsaved_) return;
  markedUnsaved_ = unsaved;
  glfwSetWindowTitle(window_, unsaved ? (std::string(kWindowTitle) + " *").c_str() : kWindowTitle);
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

std::vector<DisplayMode> queryDisplayModes(Resolution& desktop) {
  std::vector<DisplayMode> modes;
  desktop = {};
  glfwSetErrorCallback(printGlfwError);
  if (!glfwInit()) return modes;
  GLFWmonitor* monitor = glfwGetPrimaryMonitor();
  if (!monitor) return modes;
  int count = 0;
  const GLFWvidmode* list = glfwGetVideoModes(monitor, &count);
  for (int i = 0; list && i < count; ++i) {
    modes.push_back({list[i].width, list[i].height, list[i].redBits + list[i].greenBits + list[i].blueBits});
  }
  if (const GLFWvidmode* current = glfwGetVideoMode(monitor)) desktop = {current->width, current->height};
  return modes;
}

}  // namespace quintaval
