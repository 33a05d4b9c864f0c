// Loads everything the demo shows, once, before the music starts: the loading picture
// first, then every catalogued image, model and Maya scene, the thirteen picture
// sequences and the text overlay. Loaders report their own failures; loading goes on.
#pragma once

#include "app/demo.h"

namespace quintaval {

void runLoadingSequence(Demo& demo);

}  // namespace quintaval
