// The main loop: one frame per iteration, paced by the buffer swap, until Escape, a
// close request or the end of the music.
#pragma once

#include "app/demo.h"
#include "timeline/clock.h"

namespace quintaval {

// The demo ends at this music time unless it loops.
constexpr float kDemoEndSeconds = static_cast<float>(kDemoSeconds);

// True when a frame drawn at `musicTime` is the last one.
bool reachedDemoEnd(float musicTime, bool loopDemo);

// What author mode adds to each frame; viewer mode has none.
class FrameHooks {
 public:
  virtual ~FrameHooks() = default;
  // After the events were polled, before the frame is drawn.
  virtual void beforeFrame() = 0;
  // After the frame was drawn, before it is presented.
  virtual void beforePresent(const FrameRenderer& renderer) = 0;
};

// Runs until Escape, a close request or (without hooks) the end of the demo.
void runMainLoop(Demo& demo, FrameHooks* hooks = nullptr);

// Releases what the run holds at its end and closes the window.
void shutdown(Demo& demo);

}  // namespace quintaval
