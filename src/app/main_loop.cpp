#include "app/main_loop.h"

#include "core/error_report.h"

namespace quintaval {

bool reachedDemoEnd(float musicTime, bool loopDemo) { return !loopDemo && musicTime >= kDemoEndSeconds; }

void runMainLoop(Demo& demo, FrameHooks* hooks) {
  Clock& clock = demo.music;
  FrameRenderer renderer(frameSources(demo), demo.tracks);
  bool done = false;
  while (!done) {
    demo.window.pollEvents();
    // Messages raised on other threads (the file watcher) are shown here, without waiting.
    deliverQueuedErrors();
    if (hooks) {
      hooks->beforeFrame();
      done = hooks->quitRequested();
    } else if (demo.window.quitRequested()) {
      done = true;
    }

    clock.update();
    const FrameTime time = FrameTime::read(clock);
    // The frame of the last moment is still drawn. An author's session does not end there.
    if (!hooks && reachedDemoEnd(time.musicTime(), demo.settings.loopDemo)) done = true;
    renderer.renderFrame(time);
    if (hooks) hooks->beforePresent(renderer, time);
    demo.window.present();
    demo.frameStats.frameDone(renderer.lastTracks()[kSceneNum]);
  }
  demo.frameStats.report();
}

void shutdown(Demo& demo) {
  demo.watcher.stop();
  demo.syncDevice.reset();
  demo.music.stop();
  demo.window.close();
}

}  // namespace quintaval
