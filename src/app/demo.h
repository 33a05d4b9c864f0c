// The program-wide objects of one run, owned by the entry point and handed by reference
// to every step that needs them.
#pragma once

#include "core/demo_settings.h"

namespace quintaval {

// Settings the program starts with before the setup dialog: full screen, vertical sync
// and multisampling on, no looping, 32-bit colour.
DemoSettings defaultSettings();

struct Demo {
  DemoSettings settings = defaultSettings();
};

}  // namespace quintaval
