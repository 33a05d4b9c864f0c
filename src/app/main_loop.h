// The main loop: one frame per iteration, paced by the buffer swap, until Escape, a
// close request or the end of the music. Each frame reads the clock once, at its top,
// and draws, overlays and ends on that one time.
#pragma once

#include "app/demo.h"
#include "timeline/frame_time.h"

namespace quintaval {

// The demo ends at this music time unless it loops.
constexpr float kDemoEndSeconds = static_cast<float>(kDemoSeconds);

// True when a frame drawn at `musicTime` is the last one.
bool reachedDemoEnd(float musicTime, bool loopDemo);

// What author mode adds to each frame; viewer mode has none.
class FrameHooks {
 public:
  virtual ~FrameHooks() = default;
  // After the events were polled, before the clock is read and the frame drawn.
  virtual void beforeFrame() = 0;
  // Asked after beforeFrame: whether the program ends now. With hooks, the hooks alone
  // decide (the window's Escape and close box reach them as events).
  virtual bool quitRequested() = 0;
  // After the frame at `time` was drawn, before it is shown.
  virtual void beforePresent(const FrameRenderer& renderer, const FrameTime& time) = 0;
};

// Runs until Escape, a close request or (without hooks) the end of the demo.
void runMainLoop(Demo& demo, FrameHooks* hooks = nullptr);

// Releases what the run holds at its end and closes the window.
void shutdown(Demo& demo);

}  // namespace quintaval
