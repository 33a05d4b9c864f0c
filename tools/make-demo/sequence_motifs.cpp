// The motifs of the thirteen picture sequences, each drawn at a loop phase p in [0, 1):
// everything that moves is periodic in p, so frame n - 1 meets frame 0 without a jump.
// Surfaces are 1280 x 720 with the origin at the top left.
#include <cmath>
#include <cstdio>

#include "canvas.h"
#include "random.h"
#include "sequences.h"

namespace quintaval::demo {

namespace {

constexpr double kW = 1280;
constexpr double kH = 720;
constexpr double kTau = 2 * M_PI;

void verticalGradient(cairo_t* cr, double r0, double g0, double b0, double r1, double g1, double b1) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(0, 0, 0, kH);
  cairo_pattern_add_color_stop_rgb(pattern, 0, r0, g0, b0);
  cairo_pattern_add_color_stop_rgb(pattern, 1, r1, g1, b1);
  cairo_set_source(cr, pattern);
  cairo_paint(cr);
  cairo_pattern_destroy(pattern);
}

// Captions keep out of the bottom 110 pixels of the left two thirds, where the text overlay
// writes its lines over every picture (from 48, 40 pixels, up to 48 pixels tall).
void text(cairo_t* cr, const char* s, double x, double y, double size, bool centred = true,
          bool bold = true) {
  selectMonoFont(cr, bold);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, s, &extents);
  cairo_move_to(cr, centred ? x - extents.x_advance / 2 : x, y);
  cairo_show_text(cr, s);
}

void circle(cairo_t* cr, double x, double y, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r, 0, kTau);
}

// An almond-shaped eye centred at (x, y): `open` 0 is shut, 1 wide open; (lookX, lookY) in
// [-1, 1] moves the iris inside the white.
void eye(cairo_t* cr, double x, double y, double radius, double open, double lookX, double lookY,
         double irisR, double irisG, double irisB) {
  const double h = radius * 0.62 * open;
  cairo_save(cr);
  cairo_move_to(cr, x - radius, y);
  cairo_curve_to(cr, x - radius * 0.4, y - h * 1.3, x + radius * 0.4, y - h * 1.3, x + radius, y);
  cairo_curve_to(cr, x + radius * 0.4, y + h * 1.3, x - radius * 0.4, y + h * 1.3, x - radius, y);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.96, 0.95, 0.92);
  cairo_fill_preserve(cr);
  cairo_clip_preserve(cr);
  const double ix = x + lookX * radius * 0.45;
  const double iy = y + lookY * radius * 0.25;
  const double ir = radius * 0.42;
  cairo_pattern_t* iris = cairo_pattern_create_radial(ix, iy, ir * 0.2, ix, iy, ir);
  cairo_pattern_add_color_stop_rgb(iris, 0, irisR * 1.3, irisG * 1.3, irisB * 1.3);
  cairo_pattern_add_color_stop_rgb(iris, 1, irisR * 0.5, irisG * 0.5, irisB * 0.5);
  cairo_new_path(cr);
  circle(cr, ix, iy, ir);
  cairo_set_source(cr, iris);
  cairo_fill(cr);
  cairo_pattern_destroy(iris);
  cairo_set_source_rgb(cr, 0.02, 0.02, 0.02);
  circle(cr, ix, iy, ir * 0.45);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
  circle(cr, ix - ir * 0.3, iy - ir * 0.3, ir * 0.15);
  cairo_fill(cr);
  cairo_restore(cr);
  // Lid line.
  cairo_move_to(cr, x - radius, y);
  cairo_curve_to(cr, x - radius * 0.4, y - h * 1.3, x + radius * 0.4, y - h * 1.3, x + radius, y);
  cairo_set_source_rgb(cr, 0.08, 0.05, 0.05);
  cairo_set_line_width(cr, radius * 0.06);
  cairo_stroke(cr);
}

// 0 most of the loop, rising to 1 and back in a short blink around `at`.
double blink(double p, double at) {
  double d = std::fabs(p - at);
  d = std::fmin(d, 1 - d);
  return d < 0.06 ? 1 - d / 0.06 : 0;
}

const char* const kCode[] = {
    "for (int row = 0; row < 1792; ++row) {",
    "  float v = track.valueAt(row);",
    "  if (v > peak) peak = v;",
    "}",
    "glBindTexture(GL_TEXTURE_2D, frame);",
    "shader.setUniform1f(\"alpha\", fade);",
    "while (!done) { renderFrame(); }",
    "camera = path.pathPoint(pos) + shake;",
    "// TODO: more bananas",
    "spectrum[bin] *= magnitude;",
    "if (scene == 2) drawScene3d();",
    "mix += kick * sidechain;",
    "return banana.peel();",
    "glDrawArrays(GL_TRIANGLES, 0, n);",
    "text.drawLine(line + fade);",
    "int monkeys = typewriters * time;",
};
constexpr int kCodeLines = sizeof kCode / sizeof kCode[0];

}  // namespace

void paintCodeMonkey(cairo_t* cr, double p) {
  verticalGradient(cr, 0.02, 0.06, 0.03, 0.0, 0.12, 0.05);
  // Code scrolls up by the whole listing once per loop.
  const double lineHeight = 40;
  const double scroll = p * kCodeLines * lineHeight;
  for (int i = 0; i < kCodeLines * 2 + 2; ++i) {
    const double y = 60 + i * lineHeight - scroll;
    if (y < -lineHeight || y > kH + lineHeight) continue;
    cairo_set_source_rgba(cr, 0.3, 1.0, 0.45, 0.75);
    text(cr, kCode[i % kCodeLines], 40, y, 26, false, false);
  }
  // The monkey, bobbing its head to the beat (two bobs per loop).
  const double bob = std::sin(p * kTau * 2) * 14;
  const double cx = 980, cy = 380 + bob;
  cairo_set_source_rgb(cr, 0.45, 0.27, 0.12);
  circle(cr, cx - 150, cy - 20, 60);
  circle(cr, cx + 150, cy - 20, 60);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.85, 0.65, 0.45);
  circle(cr, cx - 150, cy - 20, 35);
  circle(cr, cx + 150, cy - 20, 35);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.5, 0.3, 0.14);
  circle(cr, cx, cy, 160);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.88, 0.7, 0.5);
  cairo_save(cr);
  cairo_translate(cr, cx, cy + 50);
  cairo_scale(cr, 1.25, 0.85);
  circle(cr, 0, 0, 95);
  cairo_restore(cr);
  cairo_fill(cr);
  circle(cr, cx - 55, cy - 40, 50);
  circle(cr, cx + 55, cy - 40, 50);
  cairo_fill(cr);
  const double look = std::sin(p * kTau) * 0.6;
  eye(cr, cx - 55, cy - 40, 38, 1 - blink(p, 0.7), -0.6 + look * 0.3, 0.4, 0.35, 0.2, 0.1);
  eye(cr, cx + 55, cy - 40, 38, 1 - blink(p, 0.7), -0.6 + look * 0.3, 0.4, 0.35, 0.2, 0.1);
  cairo_set_source_rgb(cr, 0.3, 0.15, 0.08);
  cairo_set_line_width(cr, 8);
  cairo_arc(cr, cx, cy + 50, 45, 0.2 * M_PI, 0.8 * M_PI);
  cairo_stroke(cr);
  cairo_set_source_rgb(cr, 1.0, 0.85, 0.2);
  text(cr, "CODE MONKEY", 980, 600, 56);
}

void paintDrinkWater(cairo_t* cr, double p) {
  verticalGradient(cr, 0.55, 0.82, 0.95, 0.15, 0.35, 0.6);
  const double glassTop = 200, glassBottom = 640, topHalf = 170, bottomHalf = 130;
  const double cx = 640;
  const double level = 360 + std::sin(p * kTau) * 40;
  // Water with a travelling wave on its surface.
  cairo_move_to(cr, cx - topHalf, glassTop);
  cairo_line_to(cr, cx + topHalf, glassTop);
  cairo_line_to(cr, cx + bottomHalf, glassBottom);
  cairo_line_to(cr, cx - bottomHalf, glassBottom);
  cairo_close_path(cr);
  cairo_save(cr);
  cairo_clip(cr);
  cairo_move_to(cr, cx - 200, kH);
  for (int x = -200; x <= 200; x += 8) {
    cairo_line_to(cr, cx + x, level + std::sin(x * 0.04 + p * kTau * 2) * 10);
  }
  cairo_line_to(cr, cx + 200, kH);
  cairo_close_path(cr);
  cairo_pattern_t* water = cairo_pattern_create_linear(0, level, 0, glassBottom);
  cairo_pattern_add_color_stop_rgba(water, 0, 0.3, 0.7, 1.0, 0.85);
  cairo_pattern_add_color_stop_rgba(water, 1, 0.05, 0.3, 0.7, 0.95);
  cairo_set_source(cr, water);
  cairo_fill(cr);
  cairo_pattern_destroy(water);
  Random random(21);
  for (int i = 0; i < 24; ++i) {
    const double bx = cx + random.range(-110, 110);
    const double speed = 1 + (i % 3);
    double t = std::fmod(random.uniform() + p * speed, 1.0);
    const double by = glassBottom - 10 - t * (glassBottom - level);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_set_line_width(cr, 2);
    circle(cr, bx + std::sin(t * 12 + i) * 6, by, random.range(4, 10));
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  // Glass outline and a highlight.
  cairo_move_to(cr, cx - topHalf, glassTop);
  cairo_line_to(cr, cx - bottomHalf, glassBottom);
  cairo_line_to(cr, cx + bottomHalf, glassBottom);
  cairo_line_to(cr, cx + topHalf, glassTop);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
  cairo_set_line_width(cr, 8);
  cairo_stroke(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  cairo_rectangle(cr, cx - 140, 240, 18, 360);
  cairo_fill(cr);
  // A drop falls into the glass once per loop.
  const double dropY = -40 + p * (level + 40);
  cairo_set_source_rgb(cr, 0.4, 0.75, 1.0);
  cairo_move_to(cr, cx, dropY - 36);
  cairo_curve_to(cr, cx + 18, dropY - 6, cx + 18, dropY + 14, cx, dropY + 14);
  cairo_curve_to(cr, cx - 18, dropY + 14, cx - 18, dropY - 6, cx, dropY - 36);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  text(cr, "DRINK WATER", 640, 120, 80);
  text(cr, "stay hydrated, coder", 640, 172, 30, true, false);
}

void paintGraphics(cairo_t* cr, double p) {
  cairo_set_source_rgb(cr, 0.03, 0.02, 0.08);
  cairo_paint(cr);
  // Copper bars sliding over the screen.
  for (int i = 0; i < 7; ++i) {
    const double y = 360 + std::sin(p * kTau + i * 0.6) * 280;
    cairo_pattern_t* bar = cairo_pattern_create_linear(0, y - 26, 0, y + 26);
    const double hue = i / 7.0;
    const double r = 0.5 + 0.5 * std::sin(kTau * hue), g = 0.5 + 0.5 * std::sin(kTau * (hue + 0.33)),
                 b = 0.5 + 0.5 * std::sin(kTau * (hue + 0.66));
    cairo_pattern_add_color_stop_rgba(bar, 0, r, g, b, 0);
    cairo_pattern_add_color_stop_rgba(bar, 0.5, r, g, b, 0.9);
    cairo_pattern_add_color_stop_rgba(bar, 1, r, g, b, 0);
    cairo_set_source(cr, bar);
    cairo_rectangle(cr, 0, y - 26, kW, 52);
    cairo_fill(cr);
    cairo_pattern_destroy(bar);
  }
  // A wireframe cube turning a quarter turn per loop (a cube looks the same after it).
  const double a = p * M_PI / 2, b = 0.5;
  double corners[8][2];
  for (int i = 0; i < 8; ++i) {
    double x = (i & 1) ? 1 : -1, y = (i & 2) ? 1 : -1, z = (i & 4) ? 1 : -1;
    const double x1 = x * std::cos(a) + z * std::sin(a), z1 = -x * std::sin(a) + z * std::cos(a);
    const double y1 = y * std::cos(b) - z1 * std::sin(b), z2 = y * std::sin(b) + z1 * std::cos(b);
    const double s = 900 / (z2 + 5);
    corners[i][0] = 640 + x1 * s;
    corners[i][1] = 360 + y1 * s;
  }
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_set_line_width(cr, 5);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int i = 0; i < 8; ++i) {
    for (int bit = 1; bit < 8; bit <<= 1) {
      if ((i & bit) == 0) {
        cairo_move_to(cr, corners[i][0], corners[i][1]);
        cairo_line_to(cr, corners[i | bit][0], corners[i | bit][1]);
      }
    }
  }
  cairo_stroke(cr);
  for (auto& c : corners) {
    circle(cr, c[0], c[1], 9);
  }
  cairo_set_source_rgb(cr, 1, 0.4, 0.7);
  cairo_fill(cr);
  // A sine scroller along the bottom.
  const char* scroller = "GRAPHICS * POLYGONS * PIXELS * SHADERS * ";
  selectMonoFont(cr, true);
  cairo_set_font_size(cr, 48);
  const int n = 41;
  for (int i = 0; i < n * 2; ++i) {
    const double x = i * 36 - p * n * 36;
    if (x < -40 || x > kW) continue;
    const char c[2] = {scroller[i % n], 0};
    const double y = 640 + std::sin(x * 0.012 + p * kTau) * 30;
    cairo_set_source_rgb(cr, 0.4 + 0.6 * (y - 610) / 60, 1, 0.9);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, c);
  }
}

void paintMusic(cairo_t* cr, double p) {
  // Flat colours: half of this sequence is stored as PNG.
  cairo_set_source_rgb(cr, 0.12, 0.05, 0.2);
  cairo_paint(cr);
  // A record turning: its label turns once per loop.
  const double cx = 380, cy = 360;
  cairo_set_source_rgb(cr, 0.04, 0.04, 0.05);
  circle(cr, cx, cy, 280);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.18, 0.18, 0.2);
  cairo_set_line_width(cr, 2);
  for (int r = 120; r < 275; r += 14) {
    circle(cr, cx, cy, r);
    cairo_stroke(cr);
  }
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, p * kTau);
  cairo_set_source_rgb(cr, 0.95, 0.3, 0.2);
  circle(cr, 0, 0, 100);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 1, 0.85, 0.3);
  cairo_move_to(cr, 0, 0);
  cairo_arc(cr, 0, 0, 100, 0, M_PI / 3);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
  circle(cr, cx, cy, 10);
  cairo_fill(cr);
  // Equalizer bars, two beats per loop.
  for (int i = 0; i < 12; ++i) {
    const double beat = std::pow(std::fabs(std::cos((p * 2 + i * 0.03) * M_PI)), 3.0);
    const double h = 60 + 380 * beat * (0.5 + 0.5 * std::sin(i * 1.7 + p * kTau));
    const double x = 720 + i * 44;
    cairo_set_source_rgb(cr, 0.2 + i * 0.06, 0.9 - i * 0.05, 0.6);
    cairo_rectangle(cr, x, 620 - h, 34, h);
    cairo_fill(cr);
  }
  // Two notes float across.
  for (int i = 0; i < 2; ++i) {
    const double t = std::fmod(p + i * 0.5, 1.0);
    const double x = 760 + t * 440, y = 160 + std::sin(t * kTau) * 40;
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_save(cr);
    cairo_translate(cr, x, y + 60);
    cairo_scale(cr, 1.3, 1);
    circle(cr, 0, 0, 18);
    cairo_restore(cr);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 18, y - 20, 6, 80);
    cairo_fill(cr);
    cairo_move_to(cr, x + 24, y - 20);
    cairo_curve_to(cr, x + 50, y - 4, x + 54, y + 10, x + 40, y + 30);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
  }
  cairo_set_source_rgb(cr, 1, 0.85, 0.3);
  text(cr, "MUSIC", 960, 92, 60);
}

void paintNotWatching(cairo_t* cr, double p) {
  verticalGradient(cr, 0.02, 0.03, 0.1, 0.08, 0.1, 0.25);
  Random random(5);
  for (int i = 0; i < 120; ++i) {
    const double x = random.range(0, kW), y = random.range(0, kH);
    const double twinkle = 0.5 + 0.5 * std::sin(p * kTau * (1 + i % 3) + i);
    cairo_set_source_rgba(cr, 1, 1, 0.9, 0.3 + 0.6 * twinkle);
    circle(cr, x, y, 1.5);
    cairo_fill(cr);
  }
  // Two closed eyes, breathing slowly.
  const double breathe = std::sin(p * kTau) * 6;
  cairo_set_line_width(cr, 10);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_source_rgb(cr, 0.85, 0.85, 0.95);
  for (int side = -1; side <= 1; side += 2) {
    const double x = 640 + side * 200, y = 360 + breathe;
    cairo_arc_negative(cr, x, y - 60, 110, M_PI * 0.85, M_PI * 0.15);
    cairo_stroke(cr);
    for (int l = 0; l < 5; ++l) {
      const double a = M_PI * (0.3 + l * 0.1);
      cairo_move_to(cr, x + std::cos(a) * 110, y - 60 + std::sin(a) * 110);
      cairo_line_to(cr, x + std::cos(a) * 140, y - 60 + std::sin(a) * 140);
      cairo_stroke(cr);
    }
  }
  // Z z z drifting up.
  for (int i = 0; i < 3; ++i) {
    const double t = std::fmod(p + i / 3.0, 1.0);
    cairo_set_source_rgba(cr, 0.9, 0.9, 1, 1 - t);
    text(cr, "Z", 950 + t * 180, 300 - t * 220, 40 + t * 60);
  }
  cairo_set_source_rgb(cr, 0.7, 0.75, 0.95);
  text(cr, "NOBODY IS WATCHING", 640, 620, 56);
}

void paintOmg(cairo_t* cr, double p) {
  // Flat colours only: this sequence is stored as PNG.
  cairo_set_source_rgb(cr, 1.0, 0.85, 0.1);
  cairo_paint(cr);
  const int rays = 16;
  cairo_save(cr);
  cairo_translate(cr, 640, 360);
  cairo_rotate(cr, p * kTau / rays * 2);
  cairo_set_source_rgb(cr, 1.0, 0.45, 0.1);
  for (int i = 0; i < rays; ++i) {
    const double a = i * kTau / rays;
    cairo_move_to(cr, 0, 0);
    cairo_arc(cr, 0, 0, 900, a, a + kTau / rays / 2);
    cairo_close_path(cr);
  }
  cairo_fill(cr);
  cairo_restore(cr);
  const double pulse = 1 + 0.12 * std::pow(std::fabs(std::cos(p * M_PI * 2)), 4);
  cairo_save(cr);
  cairo_translate(cr, 640, 360);
  cairo_scale(cr, pulse, pulse);
  selectMonoFont(cr, true);
  cairo_set_font_size(cr, 300);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, "OMG", &extents);
  cairo_move_to(cr, -extents.x_advance / 2 + 14, 110 + 14);
  cairo_text_path(cr, "OMG");
  cairo_set_source_rgb(cr, 0.35, 0.0, 0.2);
  cairo_fill(cr);
  cairo_move_to(cr, -extents.x_advance / 2, 110);
  cairo_text_path(cr, "OMG");
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.9, 0.1, 0.3);
  cairo_set_line_width(cr, 10);
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_set_source_rgb(cr, 0.35, 0.0, 0.2);
  for (int i = 0; i < 3; ++i) {
    const double x = 240 + i * 400, y = 620 + std::sin(p * kTau * 2 + i) * 20;
    cairo_rectangle(cr, x - 12, y - 90, 24, 70);
    circle(cr, x, y, 14);
    cairo_fill(cr);
  }
}

void paintTunge(cairo_t* cr, double p) {
  // Flat colours only: this sequence is stored as PNG.
  cairo_set_source_rgb(cr, 0.35, 0.8, 0.75);
  cairo_paint(cr);
  const double cx = 640, cy = 330;
  cairo_set_source_rgb(cr, 1.0, 0.82, 0.2);
  circle(cr, cx, cy, 260);
  cairo_fill(cr);
  // Squinting eyes.
  cairo_set_source_rgb(cr, 0.15, 0.08, 0.05);
  cairo_set_line_width(cr, 16);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, cx - 140, cy - 110);
  cairo_line_to(cr, cx - 70, cy - 80);
  cairo_line_to(cr, cx - 140, cy - 50);
  cairo_move_to(cr, cx + 140, cy - 110);
  cairo_line_to(cr, cx + 70, cy - 80);
  cairo_line_to(cr, cx + 140, cy - 50);
  cairo_stroke(cr);
  // Mouth and the tongue, wagging left and right.
  cairo_move_to(cr, cx - 150, cy + 60);
  cairo_curve_to(cr, cx - 60, cy + 130, cx + 60, cy + 130, cx + 150, cy + 60);
  cairo_stroke(cr);
  const double wag = std::sin(p * kTau * 2) * 0.35;
  cairo_save(cr);
  cairo_translate(cr, cx, cy + 105);
  cairo_rotate(cr, wag);
  cairo_move_to(cr, -60, 0);
  cairo_line_to(cr, -60, 110);
  cairo_arc_negative(cr, 0, 110, 60, M_PI, 0);
  cairo_line_to(cr, 60, 0);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.95, 0.3, 0.4);
  cairo_fill(cr);
  cairo_move_to(cr, 0, 15);
  cairo_line_to(cr, 0, 110);
  cairo_set_source_rgb(cr, 0.7, 0.1, 0.25);
  cairo_set_line_width(cr, 8);
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_set_source_rgb(cr, 0.1, 0.2, 0.3);
  text(cr, "TUNGE!", 1070, 380, 60);
}

void paintWatchedEye(cairo_t* cr, double p) {
  verticalGradient(cr, 0.15, 0.02, 0.02, 0.02, 0.0, 0.0);
  // Veins around a huge eye whose gaze circles once per loop.
  Random random(11);
  cairo_set_source_rgba(cr, 0.7, 0.1, 0.1, 0.6);
  cairo_set_line_width(cr, 3);
  for (int i = 0; i < 40; ++i) {
    const double a = random.range(0, kTau);
    double x = 640 + std::cos(a) * 620, y = 360 + std::sin(a) * 330;
    cairo_move_to(cr, x, y);
    for (int k = 0; k < 4; ++k) {
      x += (640 - x) * 0.15 + random.range(-30, 30);
      y += (360 - y) * 0.15 + random.range(-30, 30);
      cairo_line_to(cr, x, y);
    }
    cairo_stroke(cr);
  }
  eye(cr, 640, 400, 480, 1 - blink(p, 0.5), std::cos(p * kTau) * 0.8, std::sin(p * kTau) * 0.8,
      0.2, 0.55, 0.3);
  cairo_set_source_rgb(cr, 1, 0.9, 0.9);
  text(cr, "YOU'RE BEING WATCHED", 640, 72, 48);
}

void paintWatchedCrowd(cairo_t* cr, double p) {
  cairo_set_source_rgb(cr, 0.05, 0.05, 0.07);
  cairo_paint(cr);
  // A grid of eyes, all following the same wandering point, blinking at their own times.
  const double fx = 640 + std::cos(p * kTau) * 500, fy = 360 + std::sin(p * kTau * 2) * 250;
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 6; ++col) {
      const double x = 120 + col * 208, y = 100 + row * 175;
      const double dx = fx - x, dy = fy - y, d = std::sqrt(dx * dx + dy * dy) + 1;
      const double at = std::fmod((row * 6 + col) * 0.137, 1.0);
      eye(cr, x, y, 80, 1 - blink(p, at), dx / d, dy / d, 0.3 + 0.1 * col, 0.3, 0.6 - 0.1 * row);
    }
  }
  cairo_set_source_rgba(cr, 1, 0.2, 0.2, 0.9);
  circle(cr, fx, fy, 10);
  cairo_fill(cr);
}

void paintWatchedIris(cairo_t* cr, double p) {
  cairo_set_source_rgb(cr, 0.02, 0.05, 0.04);
  cairo_paint(cr);
  // An endless zoom into the iris: rings grow by one ring spacing per loop.
  const double spacing = 60;
  for (int i = 14; i >= 0; --i) {
    const double r = (i + p) * spacing;
    const double shade = 0.5 + 0.5 * std::cos(i * 0.9);
    cairo_set_source_rgb(cr, 0.1 + 0.3 * shade, 0.35 + 0.4 * shade, 0.25 + 0.2 * shade);
    circle(cr, 640, 360, r + spacing);
    cairo_fill(cr);
  }
  cairo_save(cr);
  cairo_translate(cr, 640, 360);
  cairo_rotate(cr, p * kTau / 12);
  cairo_set_source_rgba(cr, 0.9, 1, 0.8, 0.35);
  cairo_set_line_width(cr, 3);
  for (int i = 0; i < 72; ++i) {
    const double a = i * kTau / 72;
    cairo_move_to(cr, std::cos(a) * 100, std::sin(a) * 100);
    cairo_line_to(cr, std::cos(a + 0.2) * 800, std::sin(a + 0.2) * 800);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  // The pupil opens and closes twice per loop.
  const double pupil = 90 + 35 * std::sin(p * kTau * 2);
  cairo_set_source_rgb(cr, 0, 0, 0);
  circle(cr, 640, 360, pupil);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
  circle(cr, 610, 330, pupil * 0.2);
  cairo_fill(cr);
}

void paintWatchedCamera(cairo_t* cr, double p) {
  verticalGradient(cr, 0.3, 0.3, 0.32, 0.15, 0.15, 0.17);
  // Brick wall.
  cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.25);
  cairo_set_line_width(cr, 3);
  for (int row = 0; row < 18; ++row) {
    const double y = row * 40;
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, kW, y);
    for (int col = 0; col < 17; ++col) {
      const double x = col * 80 + (row % 2) * 40;
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x, y + 40);
    }
  }
  cairo_stroke(cr);
  // The camera pans left and right once per loop on its bracket.
  const double pan = std::sin(p * kTau) * 0.45;
  cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
  cairo_rectangle(cr, 600, 120, 80, 40);
  cairo_rectangle(cr, 625, 160, 30, 90);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, 640, 270);
  cairo_rotate(cr, pan);
  cairo_set_source_rgb(cr, 0.85, 0.85, 0.82);
  cairo_rectangle(cr, -160, -50, 320, 110);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.2, 0.2, 0.22);
  cairo_rectangle(cr, -190, -30, 40, 70);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.05, 0.05, 0.1);
  circle(cr, -190, 5, 28);
  cairo_fill(cr);
  const bool lit = std::fmod(p * 4, 1.0) < 0.5;
  cairo_set_source_rgb(cr, lit ? 1.0 : 0.3, 0.05, 0.05);
  circle(cr, 120, -20, 12);
  cairo_fill(cr);
  cairo_restore(cr);
  // A viewing cone from the lens.
  cairo_save(cr);
  cairo_translate(cr, 640, 270);
  cairo_rotate(cr, pan);
  cairo_move_to(cr, -210, 5);
  cairo_line_to(cr, -900, -200);
  cairo_line_to(cr, -900, 500);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 1, 1, 0.8, 0.12);
  cairo_fill(cr);
  cairo_restore(cr);
  // Monitor overlay: scan lines, REC and a time code.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.18);
  for (int y = 0; y < kH; y += 4) {
    cairo_rectangle(cr, 0, y, kW, 2);
  }
  cairo_fill(cr);
  if (std::fmod(p * 2, 1.0) < 0.5) {
    cairo_set_source_rgb(cr, 1, 0.1, 0.1);
    circle(cr, 70, 60, 14);
    cairo_fill(cr);
    text(cr, "REC", 100, 74, 40, false);
  }
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "CAM 04  23:59:%02d", static_cast<int>(p * 16) % 60);
  cairo_set_source_rgb(cr, 1, 1, 1);
  text(cr, stamp, 1240 - 420, 74, 36, false);
}

void paintWatchedForest(cairo_t* cr, double p) {
  verticalGradient(cr, 0.0, 0.02, 0.06, 0.02, 0.08, 0.06);
  cairo_set_source_rgba(cr, 0.9, 0.9, 0.8, 0.9);
  circle(cr, 1050, 120, 60);
  cairo_fill(cr);
  // Trees in three layers, far to near.
  Random random(17);
  for (int layer = 0; layer < 3; ++layer) {
    const double shade = 0.06 - layer * 0.02;
    cairo_set_source_rgb(cr, shade, shade * 1.5, shade);
    for (int i = 0; i < 9; ++i) {
      const double x = random.range(-50, kW + 50), w = random.range(50, 110) * (1 + layer * 0.4);
      const double top = random.range(60, 260) - layer * 40;
      cairo_move_to(cr, x, top);
      cairo_line_to(cr, x - w, kH);
      cairo_line_to(cr, x + w, kH);
      cairo_close_path(cr);
    }
    cairo_fill(cr);
  }
  // Glowing eyes in the dark, each pair blinking at its own time.
  for (int i = 0; i < 14; ++i) {
    const double x = random.range(80, kW - 80), y = random.range(300, 660);
    const double open = 1 - blink(p, random.uniform());
    const double size = random.range(6, 14);
    cairo_set_source_rgb(cr, 1.0, random.range(0.6, 1.0), 0.2);
    for (int side = -1; side <= 1; side += 2) {
      cairo_save(cr);
      cairo_translate(cr, x + side * size * 2, y);
      cairo_scale(cr, 1, std::fmax(open, 0.08));
      circle(cr, 0, 0, size);
      cairo_restore(cr);
      cairo_fill(cr);
    }
  }
}

void paintWatchedMarquee(cairo_t* cr, double p) {
  verticalGradient(cr, 0.25, 0.0, 0.3, 0.05, 0.0, 0.1);
  eye(cr, 640, 300, 420, 1 - blink(p, 0.25) * 0.9, std::sin(p * kTau) * 0.9, 0.1, 0.6, 0.2, 0.7);
  // A marquee band with text that moves by one repetition per loop.
  cairo_set_source_rgb(cr, 0.05, 0.0, 0.05);
  cairo_rectangle(cr, 0, 570, kW, 110);
  cairo_fill(cr);
  const char* phrase = " YOU'RE BEING WATCHED *";
  selectMonoFont(cr, true);
  cairo_set_font_size(cr, 64);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, phrase, &extents);
  const double period = extents.x_advance;
  cairo_set_source_rgb(cr, 1.0, 0.3, 0.5);
  for (double x = -p * period; x < kW; x += period) {
    cairo_move_to(cr, x, 648);
    cairo_show_text(cr, phrase);
  }
}

}  // namespace quintaval::demo
