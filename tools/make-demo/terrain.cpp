// terrainHeight: a few sine waves for rolling hills, one mountain, and a radial fall-off
// into the sea.
#include "terrain.h"

#include <algorithm>
#include <cmath>

namespace quintaval::demo {

namespace {

double smoothstep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

}  // namespace

double terrainHeight(double x, double z) {
  const double r = std::sqrt(x * x + z * z) / 36.0;
  const double island = 1 - smoothstep(0.45, 1.0, r);
  const double hills = 2.0 * std::sin(0.13 * x + 0.4) * std::cos(0.11 * z - 0.3) +
                       1.2 * std::sin(0.27 * x - 0.19 * z + 1.1) + 0.6 * std::sin(0.43 * z + 0.31 * x) +
                       0.3 * std::sin(0.9 * x + 0.2) * std::sin(0.8 * z);
  const double mountain = 4.0 * std::exp(-((x + 8) * (x + 8) + (z - 6) * (z - 6)) / 90.0);
  const double h = island * (2.2 + hills + mountain) - (1 - island) * 2.5;
  return std::max(h, kSeaLevel);
}

}  // namespace quintaval::demo
