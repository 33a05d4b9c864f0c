// qv_screen_probe [OUT.ppm]: grabs the whole X screen, prints its mean brightness (0-255)
// and a hash of its pixels, and optionally saves it as a binary PPM. The end-to-end
// scripts use it to tell a black screen from a picture and one picture from another.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdio>

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "qv_screen_probe: cannot open the display\n");
    return 1;
  }
  Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage* image = XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image) {
    std::fprintf(stderr, "qv_screen_probe: cannot read the screen\n");
    return 1;
  }
  FILE* out = argc > 1 ? std::fopen(argv[1], "wb") : nullptr;
  if (out) std::fprintf(out, "P6\n%d %d\n255\n", image->width, image->height);

  std::uint64_t sum = 0;
  std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      unsigned long pixel = XGetPixel(image, x, y);
      unsigned char rgb[3] = {static_cast<unsigned char>((pixel >> 16) & 0xff),
                              static_cast<unsigned char>((pixel >> 8) & 0xff),
                              static_cast<unsigned char>(pixel & 0xff)};
      for (unsigned char c : rgb) {
        sum += c;
        hash = (hash ^ c) * 1099511628211ull;
      }
      if (out) std::fwrite(rgb, 1, 3, out);
    }
  }
  if (out) std::fclose(out);
  const double mean = static_cast<double>(sum) / (3.0 * image->width * image->height);
  std::printf("mean=%.2f hash=%016llx\n", mean, static_cast<unsigned long long>(hash));
  XDestroyImage(image);
  XCloseDisplay(display);
  return 0;
}
