// The choices of the setup dialog, read by the window code, the GL state set-up and the
// main loop; the program starts from the values below (full screen, vertical sync and
// multisampling on, no looping, 32-bit colour).
#pragma once

namespace quintaval {

struct DemoSettings {
  int width = 0;   // 0 until the setup dialog fills it
  int height = 0;
  int colorBits = 32;
  bool fullscreen = true;
  bool vsync = true;
  bool multisampling = true;
  bool loopDemo = false;
};

}  // namespace quintaval
