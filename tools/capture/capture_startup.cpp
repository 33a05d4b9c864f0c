#include "capture/capture_startup.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include "app/gl_state.h"
#include "app/loading_sequence.h"
#include "app/window.h"

namespace quintaval {

bool startDemoForCapture(Demo& demo, int width, int height, bool multisampling) {
  DemoSettings& settings = demo.settings;
  settings.width = width;
  settings.height = height;
  settings.fullscreen = 0;
  settings.vsync = 0;
  settings.multisampling = multisampling ? 1 : 0;
  settings.loopDemo = 0;

  // openWindow initialises GLFW itself, which resets the window hints; initialising
  // first makes its call a no-op, so the hint for a hidden window survives.
  glfwSetErrorCallback(glfwErrorCallback);
  if (glfwInit()) glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);

  if (!openWindow(settings, settings.width, settings.height)) return false;
  if (!loadGlEntryPoints()) return false;
  if (!initGlState(demo)) return false;
  if (!buildShaderCatalogue(demo.shaders, settings)) return false;
  runLoadingSequence(demo);
  return openSyncTracks(demo);
}

void endCapture(Demo& demo) {
  demo.syncDevice.reset();
  glfwTerminate();
}

}  // namespace quintaval
