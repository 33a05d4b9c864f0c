// Runs the setup dialog over the settings before anything else starts.
#pragma once

#include <vector>

#include "app/setup_dialog_model.h"
#include "core/demo_settings.h"

namespace quintaval {

// The modes of the primary monitor as GLFW reports them (a mode with 24 bits of red,
// green and blue counts as a 32-bit mode), and the desktop size.
std::vector<DisplayMode> queryDisplayModes(Resolution& desktop);

// Returns false when the viewer pressed "Quit". Without a display the dialog cannot be
// shown: the settings stay as they are and start-up goes on to report the failure.
bool runSetupDialog(DemoSettings& settings);

}  // namespace quintaval
