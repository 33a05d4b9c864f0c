// A 2D drawing surface for the generated pictures: a cairo ARGB32 image with a context,
// written out as JPEG (through DevIL) or PNG (through cairo). Coordinates are pixels with
// the origin at the top left, y downwards, as cairo draws; the files store the top row
// first, which is what every image reader expects.
#pragma once

#include <cairo.h>

#include <initializer_list>
#include <string>

namespace quintaval::demo {

class Canvas {
 public:
  // An opaque canvas has no alpha channel (smaller files); a transparent one starts clear.
  Canvas(int width, int height, bool opaque = true);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Fills the whole surface with one colour (alpha included), replacing what was there.
  void clear(double r, double g, double b, double a = 1.0);

  // Paints the whole surface with a top-to-bottom gradient through these stops.
  struct GradientStop {
    double offset, r, g, b;
  };
  void paintVerticalGradient(std::initializer_list<GradientStop> stops) const;

  // Both return false (and print the reason to standard error) when the file cannot be written.
  bool saveJpeg(const std::string& path, int quality = 82) const;
  bool savePng(const std::string& path) const;

  // Centred text in the monospace face of the font package, baseline at y.
  void centredText(const char* text, double x, double y, double size, bool bold = true) const;

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Sets the font face that every generated picture uses for text.
void selectMonoFont(cairo_t* cr, bool bold);

}  // namespace quintaval::demo
