// Runs the setup dialog over the settings before anything else starts.
#pragma once

#include "core/demo_settings.h"

namespace quintaval {

// Returns false when the viewer pressed "Quit", or after "Unable to initialize GLFW!" when
// GLFW finds no display mode to offer. Without a display the dialog cannot be shown: the
// settings stay as they are and start-up goes on to report the failure.
bool runSetupDialog(DemoSettings& settings);

}  // namespace quintaval
