// Start-up after the settings are known, shared by the player and quintaval-capture: the
// window, the GL entry points and state, the shader programs, the loading sequence and
// the sync tracks, in that order. Each failure has been reported when it returns false,
// and the program then ends. The music and the file watcher are the player's own steps.
#pragma once

#include "app/demo.h"

namespace quintaval {

enum class WindowVisibility { kShown, kHidden };

bool startDemo(Demo& demo, WindowVisibility visibility);

}  // namespace quintaval
