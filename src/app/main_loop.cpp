#include "app/main_loop.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include "core/error_report.h"

namespace quintaval {

bool reachedDemoEnd(float musicTime, int loopDemo) { return loopDemo == 0 && musicTime >= kDemoEndSeconds; }

void runMainLoop(Demo& demo) {
  FrameRenderer renderer(frameSources(demo), demo.tracks, demo.music);
  Clock& clock = demo.music;
  bool done = false;
  while (!done) {
    clock.update();
    // The frame of the last moment is still drawn.
    if (reachedDemoEnd(clock.musicTime(), demo.settings.loopDemo)) done = true;
    demo.syncRow = clock.syncRow();
    clock.fetchSpectrum(demo.spectrum.data());

    glfwPollEvents();
    // Messages raised on other threads (the file watcher) are shown here, without waiting.
    deliverQueuedErrors();
    GLFWwindow* window = glfwGetCurrentContext();
    if (glfwGetKey(window, GLFW_KEY_ESCAPE) == GLFW_PRESS) done = true;
    if (glfwWindowShouldClose(window)) done = true;

    renderer.renderFrame(demo.syncRow, demo.spectrum.data());
    demo.frameStats.frameDone(renderer.lastTracks()[kSceneNum]);
  }
  demo.frameStats.report();
}

void shutdown(Demo& demo) {
  demo.watcher.stop();
  demo.syncDevice.reset();
  demo.music.stop();
  glfwTerminate();
}

}  // namespace quintaval
