// The choices of the setup dialog, read by the window code, the GL state set-up and the
// main loop; the program starts from the values below (full screen, vertical sync and
// multisampling on, no looping, 32-bit colour). Ints rather than bools because the
// dialog and the window treat the switches differently: full screen only for exactly 1,
// the others for any non-zero.
#pragma once

namespace quintaval {

struct DemoSettings {
  int width = 0;   // 0 until the setup dialog fills it
  int height = 0;
  int colorBits = 32;
  int fullscreen = 1;
  int vsync = 1;
  int multisampling = 1;
  int loopDemo = 0;
};

}  // namespace quintaval
