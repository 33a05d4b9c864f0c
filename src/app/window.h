// The one window of the program and its OpenGL 3.3 core context. The program keeps no
// handle of it: later code asks GLFW for the current context.
#pragma once

#include "core/demo_settings.h"

namespace quintaval {

// GLFW's error callback: the description on standard error.
void glfwErrorCallback(int code, const char* description);

// Opens the window with the choices of the settings and makes its context current.
// A hidden window (offline capture) is never
// mapped on the screen. Shows a message and returns false on failure.
bool openWindow(const DemoSettings& settings, int width, int height, bool visible = true);

// Loads the GL entry points. Shows a message and returns false on failure.
bool loadGlEntryPoints();

}  // namespace quintaval
