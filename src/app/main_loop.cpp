#include "app/main_loop.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include "core/error_report.h"

namespace quintaval {

bool reachedDemoEnd(float musicTime, bool loopDemo) { return !loopDemo && musicTime >= kDemoEndSeconds; }

void runMainLoop(Demo& demo, FrameHooks* hooks) {
  Clock& clock = demo.music;
  FrameRenderer renderer(frameSources(demo), demo.tracks, clock);
  if (hooks) {
    renderer.setPresenter([&demo, &renderer, hooks] {
      hooks->beforePresent(renderer);
      demo.postProcessor->present();
    });
  }
  bool done = false;
  while (!done) {
    clock.update();
    // The frame of the last moment is still drawn. An author's session does not end there.
    if (!hooks && reachedDemoEnd(clock.musicTime(), demo.settings.loopDemo)) done = true;

    glfwPollEvents();
    // Messages raised on other threads (the file watcher) are shown here, without waiting.
    deliverQueuedErrors();
    GLFWwindow* window = glfwGetCurrentContext();
    if (glfwGetKey(window, GLFW_KEY_ESCAPE) == GLFW_PRESS) done = true;
    if (glfwWindowShouldClose(window)) done = true;

    if (hooks) hooks->beforeFrame();
    renderer.renderFrame();
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
