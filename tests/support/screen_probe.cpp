// qv_screen_probe [X Y WIDTH HEIGHT]: grabs the whole X screen, or that rectangle of it,
// and prints its mean brightness (0-255) and a hash of its pixels. The end-to-end scripts
// use it to tell a black screen from a picture and one picture from another.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  const int screen = display ? DefaultScreen(display) : 0;
  int area[4] = {0, 0, display ? DisplayWidth(display, screen) : 0, display ? DisplayHeight(display, screen) : 0};
  if (argc == 5) {
    for (int i = 0; i < 4; ++i) area[i] = std::atoi(argv[i + 1]);
  }
  XImage* image = display && area[2] > 0 && area[3] > 0
                      ? XGetImage(display, DefaultRootWindow(display), area[0], area[1],
                                  static_cast<unsigned>(area[2]), static_cast<unsigned>(area[3]), AllPlanes, ZPixmap)
                      : nullptr;
  if (!image) {
    std::fprintf(stderr, "qv_screen_probe: cannot %s\n", display ? "read the screen" : "open the display");
    return 1;
  }
  std::uint64_t sum = 0;
  std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      for (int shift : {16, 8, 0}) {
        const unsigned char c = (pixel >> shift) & 0xff;
        sum += c;
        hash = (hash ^ c) * 1099511628211ull;
      }
    }
  }
  const double mean = static_cast<double>(sum) / (3.0 * image->width * image->height);
  std::printf("mean=%.2f hash=%016llx\n", mean, static_cast<unsigned long long>(hash));
  XDestroyImage(image);
  XCloseDisplay(display);
  return 0;
}
