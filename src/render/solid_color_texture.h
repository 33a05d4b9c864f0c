// A 1x1 texture of one colour, for surfaces that have a colour where a texture map could
// be: sampled anywhere, it gives exactly that colour.
//
// Stored as 32-bit floats, so components outside 0..1 survive. The texture is left bound
// on the active unit; it is never deleted (like every GL object the program makes).
// Needs the GL context current.
#pragma once

#include "core/math.h"

namespace quintaval {

unsigned int makeSolidColorTexture(const Vec4& color);

}  // namespace quintaval
