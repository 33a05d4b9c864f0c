// Loads everything the demo shows, once, before the music starts: the loading picture
// first, then every catalogued image, model and Maya scene, the thirteen picture
// sequences and the text overlay. Loaders report their own failures; loading goes on.
#pragma once

#include "app/demo.h"

namespace quintaval {

// The sequence directories, in "anim.num" order (1 to 13).
extern const char* const kSequenceDirectories[kSequenceCount];

void runLoadingSequence(Demo& demo);

}  // namespace quintaval
