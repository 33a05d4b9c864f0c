// The banner at the top of the setup dialog (a dusk sky, a low sun, a ridge of hills and
// the program's name), drawn with GDI in the colours and proportions of
// platform/gtk/banner.cpp. GDI's shapes are opaque and not anti-aliased: the sun's
// translucency is mixed by hand, row by row, and the edges are stepped.
#pragma once

#include <windows.h>

namespace quintaval {

// Paints the banner over `area` of `dc`, through an off-screen bitmap so it never flickers.
void paintBanner(HDC dc, const RECT& area);

}  // namespace quintaval
