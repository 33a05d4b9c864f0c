// The two pictures the player takes from the top of Data/: the loading picture shown while
// everything loads, and the bitmap font of the text overlay.
#pragma once

#include "demo_tree.h"

namespace quintaval::demo {

// Data/Loading.jpg, 1280 x 720, with the demo's title.
void makeLoadingPicture(DemoTree& tree);

// Data/Font.png: 16 x 16 square cells of 64 pixels, white glyphs on transparent; the glyph of
// byte c sits in column c % 16 and row c / 16, row 0 at the top. Bytes 32 to 126 are filled.
void makeFontSheet(DemoTree& tree);

}  // namespace quintaval::demo
