// The player's start-up for offline capture: the same steps and loaders in the same
// order, so the same messages appear on standard error, but no setup dialog, no music
// playback (nothing opens an audio device) and no file watcher. The window is hidden and
// exactly as large as the frames to capture.
#pragma once

#include "app/demo.h"

namespace quintaval {

// Fills demo.settings (window, no vertical sync, the given multisampling), opens the
// hidden window, sets up GL, builds the shaders, runs the loading sequence and opens
// the sync tracks. False when the player would have ended with a failure; the reason
// has been reported.
bool startDemoForCapture(Demo& demo, int width, int height, bool multisampling);

// Closes the window and releases what start-up made that needs releasing.
void endCapture(Demo& demo);

}  // namespace quintaval
