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

void runMainLoop(Demo& demo);

// Releases what the run holds at its end and closes the window.
void shutdown(Demo& demo);

}  // namespace quintaval
