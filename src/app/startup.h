// Start-up after the settings are known, shared by the player and quintaval-capture: the
// window, the GL entry points and state, the pictures of "Data/", the shader programs,
// the loading sequence and the sync tracks, in that order, while the files are decoded
// on other threads from the start (see app/loading_sequence.h). Each failure has been
// reported when it returns kFailed, and the program then ends; kQuit means the viewer
// ended the program during loading. The decoded music is left in the demo for the
// player's own steps, the music and the file watcher.
#pragma once

#include "app/demo.h"

namespace quintaval {

enum class WindowVisibility { kShown, kHidden };

enum class StartResult { kStarted, kFailed, kQuit };

StartResult startDemo(Demo& demo, WindowVisibility visibility);

}  // namespace quintaval
