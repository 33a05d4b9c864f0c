// Loading picture and font sheet.
#include "pictures.h"

#include <cmath>

#include "canvas.h"
#include "random.h"

namespace quintaval::demo {

void makeLoadingPicture(DemoTree& tree) {
  Canvas canvas(1280, 720);
  cairo_t* cr = canvas.cr();
  canvas.paintVerticalGradient({{0.0, 0.05, 0.04, 0.12}, {0.6, 0.22, 0.10, 0.28}, {1.0, 0.55, 0.25, 0.20}});

  // A field of stars and a horizon grid: the flight that is about to start.
  Random random(7);
  for (int i = 0; i < 260; ++i) {
    const double x = random.range(0, 1280);
    const double y = random.range(0, 420);
    const double r = random.range(0.5, 2.0);
    cairo_set_source_rgba(cr, 1, 1, 1, random.range(0.3, 0.9));
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  cairo_set_line_width(cr, 2);
  for (int i = 0; i <= 24; ++i) {
    const double t = i / 24.0;
    cairo_set_source_rgba(cr, 1.0, 0.55, 0.8, 0.5);
    cairo_move_to(cr, 640, 470);
    cairo_line_to(cr, -1280 + t * 3840, 720);
    cairo_stroke(cr);
  }
  for (int i = 1; i <= 10; ++i) {
    const double y = 470 + 250 * std::pow(i / 10.0, 2.2);
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, 1280, y);
    cairo_stroke(cr);
  }

  cairo_set_source_rgb(cr, 1.0, 0.92, 0.75);
  canvas.centredText("QUINTAVAL", 640, 300, 120);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
  canvas.centredText("demosystem sample demo", 640, 370, 36, false);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
  canvas.centredText("loading...", 640, 660, 28, false);
  if (!canvas.saveJpeg(tree.path("Loading.jpg"), 88)) {
    tree.fail("Loading.jpg not written");
  }
}

void makeFontSheet(DemoTree& tree) {
  constexpr int kCell = 64;
  Canvas canvas(16 * kCell, 16 * kCell, false);
  canvas.clear(0, 0, 0, 0);
  cairo_t* cr = canvas.cr();
  selectMonoFont(cr, true);
  cairo_set_font_size(cr, 50);
  cairo_set_source_rgb(cr, 1, 1, 1);
  // The overlay draws every byte in a square cell, while the monospace face is about 0.6 em
  // wide: the glyphs are stretched sideways so that text does not look letter-spaced.
  constexpr double kStretch = 1.6;
  for (int c = 32; c < 127; ++c) {
    const char text[2] = {static_cast<char>(c), 0};
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    const double cellX = (c % 16) * kCell;
    const double cellY = (c / 16) * kCell;
    cairo_save(cr);
    cairo_rectangle(cr, cellX, cellY, kCell, kCell);
    cairo_clip(cr);
    cairo_translate(cr, cellX + kCell / 2.0, cellY);
    cairo_scale(cr, kStretch, 1.0);
    cairo_move_to(cr, -extents.x_advance / 2.0, 48);
    cairo_show_text(cr, text);
    cairo_restore(cr);
  }
  if (!canvas.savePng(tree.path("Font.png"))) {
    tree.fail("Font.png not written");
  }
}

}  // namespace quintaval::demo
