// The GL state the whole run relies on: the letterboxed 16:9 viewport, the clear colour,
// the depth test and the one vertex array object a core profile needs to draw at all;
// then the post-processor.
#pragma once

#include "app/demo.h"

namespace quintaval {

struct Viewport {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// 16:9 from the full window width, centred vertically. On a window wider than 16:9
// y turns negative and the picture is cut at top and bottom.
Viewport letterboxViewport(int width, int height);

// Sets the viewport, clear colour and depth test, binds the vertex array object and
// clears the frame.
void initViewportAndState(const DemoSettings& settings);

// initViewportAndState, one black frame shown in the demo's window, then the
// post-processor (false when it failed: start-up ends).
bool initGlState(Demo& demo);

}  // namespace quintaval
