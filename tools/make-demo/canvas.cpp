// Canvas: cairo drawing, DevIL JPEG encoding, cairo PNG encoding. Font rendering uses fixed
// options (grey antialiasing, no hinting) so the same fonts give the same pixels every run.
#include "canvas.h"

#include <IL/il.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace quintaval::demo {

namespace {

void ensureDevilStarted() {
  static bool started = false;
  if (!started) {
    ilInit();
    ilEnable(IL_FILE_OVERWRITE);
    started = true;
  }
}

}  // namespace

void selectMonoFont(cairo_t* cr, bool bold) {
  cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

Canvas::Canvas(int width, int height, bool opaque)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32,
                                          width, height)),
      cr_(cairo_create(surface_)) {}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::clear(double r, double g, double b, double a) {
  cairo_save(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr_, r, g, b, a);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

void Canvas::paintVerticalGradient(std::initializer_list<GradientStop> stops) const {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(0, 0, 0, height_);
  for (const GradientStop& stop : stops) {
    cairo_pattern_add_color_stop_rgb(pattern, stop.offset, stop.r, stop.g, stop.b);
  }
  cairo_set_source(cr_, pattern);
  cairo_paint(cr_);
  cairo_pattern_destroy(pattern);
}

void Canvas::centredText(const char* text, double x, double y, double size, bool bold) const {
  selectMonoFont(cr_, bold);
  cairo_set_font_size(cr_, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr_, text, &extents);
  cairo_move_to(cr_, x - extents.x_advance / 2.0, y);
  cairo_show_text(cr_, text);
}

bool Canvas::saveJpeg(const std::string& path, int quality) const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  // DevIL takes a raw image as bottom row first and writes JPEG top row first, so the rows
  // go in reversed. Cairo keeps pixels as native-endian premultiplied ARGB; JPEG has no
  // alpha, so the colour is composited over black, which is what premultiplied values are.
  std::vector<unsigned char> rgb(static_cast<size_t>(width_) * height_ * 3);
  for (int y = 0; y < height_; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    unsigned char* out = &rgb[static_cast<size_t>(height_ - 1 - y) * width_ * 3];
    for (int x = 0; x < width_; ++x) {
      const uint32_t p = row[x];
      out[3 * x + 0] = static_cast<unsigned char>((p >> 16) & 0xff);
      out[3 * x + 1] = static_cast<unsigned char>((p >> 8) & 0xff);
      out[3 * x + 2] = static_cast<unsigned char>(p & 0xff);
    }
  }
  ensureDevilStarted();
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  bool ok = ilTexImage(width_, height_, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, rgb.data()) == IL_TRUE;
  if (ok) {
    ilSetInteger(IL_JPG_QUALITY, quality);
    ok = ilSave(IL_JPG, path.c_str()) == IL_TRUE;
  }
  ilDeleteImages(1, &image);
  if (!ok) {
    std::fprintf(stderr, "quintaval-make-demo: cannot write %s\n", path.c_str());
  }
  return ok;
}

bool Canvas::savePng(const std::string& path) const {
  cairo_surface_flush(surface_);
  if (cairo_surface_write_to_png(surface_, path.c_str()) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "quintaval-make-demo: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace quintaval::demo
