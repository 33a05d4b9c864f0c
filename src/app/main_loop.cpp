#include "app/main_loop.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include "core/error_report.h"

namespace quintaval {

DemoSettings defaultSettings() {
  DemoSettings settings;
  settings.colorBits = 32;
  settings.fullscreen = 1;
  settings.vsync = 1;
  settings.multisampling = 1;
  settings.loopDemo = 0;
  return settings;
}

bool reachedDemoEnd(float musicTime, int loopDemo) { return loopDemo == 0 && musicTime >= kDemoEndSeconds; }

namespace {

void drawFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glfwSwapBuffers(glfwGetCurrentContext());
}

}  // namespace

void runMainLoop(Demo&) {
  bool done = false;
  while (!done) {
    glfwPollEvents();
    // Messages raised on other threads (the file watcher) are shown here, without waiting.
    deliverQueuedErrors();
    GLFWwindow* window = glfwGetCurrentContext();
    if (glfwGetKey(window, GLFW_KEY_ESCAPE) == GLFW_PRESS) done = true;
    if (glfwWindowShouldClose(window)) done = true;
    drawFrame();
  }
}

void shutdown(Demo&) { glfwTerminate(); }

}  // namespace quintaval
