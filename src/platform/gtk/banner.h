// The banner at the top of the setup dialog (a dusk sky, a low sun, a ridge of hills and
// the program's name), also the program's icon.
#pragma once

#include <cairo.h>

namespace quintaval {

// Paints the banner over the rectangle (0, 0)-(width, height) of `cr`.
void paintBanner(cairo_t* cr, double width, double height);

}  // namespace quintaval
