// banner_icon OUTPUT.png SIZE: renders the setup dialog's banner into the program's icon,
// a square PNG (desktops show icons square) with the banner across its middle at the
// dialog's proportions. Run by the build; not installed.
#include <cairo.h>

#include <cstdio>
#include <cstdlib>

#include "platform/gtk/banner.h"

int main(int argc, char** argv) {
  const int size = argc == 3 ? std::atoi(argv[2]) : 0;
  if (size < 16 || size > 1024) {
    std::fprintf(stderr, "usage: banner_icon OUTPUT.png SIZE (16 to 1024)\n");
    return 2;
  }
  // The dialog shows the banner 333 by 123 dialog units.
  const double height = size * 123.0 / 333.0;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, 0, (size - height) / 2);
  cairo_rectangle(cr, 0, 0, size, height);
  cairo_clip(cr);
  quintaval::paintBanner(cr, size, height);
  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(surface, argv[1]);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "banner_icon: cannot write %s: %s\n", argv[1], cairo_status_to_string(status));
    return 1;
  }
  return 0;
}
