// The setup dialog's banner, drawn with cairo alone so that the build can also render it
// into the program's icon.
#include "platform/gtk/banner.h"

namespace quintaval {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

void paintBanner(cairo_t* cr, double width, double height) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, height);
  cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.05, 0.02, 0.15);
  cairo_pattern_add_color_stop_rgb(sky, 0.6, 0.45, 0.10, 0.35);
  cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.95, 0.55, 0.20);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);

  // A low sun and a ridge of hills: the flight over the land the demo shows.
  cairo_set_source_rgba(cr, 1.0, 0.85, 0.4, 0.9);
  cairo_arc(cr, width * 0.72, height * 0.78, height * 0.22, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.08, 0.03, 0.12);
  cairo_move_to(cr, 0, height);
  for (int i = 0; i <= 32; ++i) {
    double x = width * i / 32.0;
    double y = height * (0.80 - 0.08 * ((i * 7) % 5) / 4.0 - 0.05 * ((i * 3) % 2));
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, width, height);
  cairo_close_path(cr);
  cairo_fill(cr);

  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, height * 0.26);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, "QUINTAVAL", &extents);
  cairo_move_to(cr, (width - extents.width) / 2 - extents.x_bearing, height * 0.45);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_show_text(cr, "QUINTAVAL");
  cairo_set_font_size(cr, height * 0.09);
  cairo_text_extents(cr, "demosystem", &extents);
  cairo_move_to(cr, (width - extents.width) / 2 - extents.x_bearing, height * 0.60);
  cairo_show_text(cr, "demosystem");

  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 2);
  cairo_rectangle(cr, 1, 1, width - 2, height - 2);
  cairo_stroke(cr);
}

}  // namespace quintaval
