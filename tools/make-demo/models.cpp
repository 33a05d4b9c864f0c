// Models and model textures. Texture coordinates follow the player's convention: v = 0 is
// the bottom row of the picture, so a picture drawn top-down maps with v = 1 at its top.
#include "models.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "canvas.h"
#include "random.h"
#include "terrain.h"

namespace quintaval::demo {

namespace {

constexpr double kTau = 2 * M_PI;

// Smooth value noise on a lattice of hashed corner values, in [0, 1].
double hashNoise(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return ((h ^ (h >> 16)) & 0xffff) / 65535.0;
}

double valueNoise(double x, double y, int seed) {
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  double fx = x - ix, fy = y - iy;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  const double a = hashNoise(ix, iy, seed), b = hashNoise(ix + 1, iy, seed);
  const double c = hashNoise(ix, iy + 1, seed), d = hashNoise(ix + 1, iy + 1, seed);
  return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

double fractalNoise(double x, double y, int seed) {
  return 0.5 * valueNoise(x, y, seed) + 0.3 * valueNoise(x * 2.1, y * 2.1, seed + 1) +
         0.2 * valueNoise(x * 4.3, y * 4.3, seed + 2);
}

V3 terrainNormal(double x, double z) {
  const double e = 0.2;
  const double dx = terrainHeight(x + e, z) - terrainHeight(x - e, z);
  const double dz = terrainHeight(x, z + e) - terrainHeight(x, z - e);
  return normalised({-dx, 2 * e, -dz});
}

V3 mix(V3 a, V3 b, double t) { return a + (b - a) * std::clamp(t, 0.0, 1.0); }

void putPixel(unsigned char* data, int stride, int x, int y, V3 colour) {
  auto* p = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride) + x;
  auto channel = [](double c) { return static_cast<uint32_t>(std::clamp(c, 0.0, 1.0) * 255.0 + 0.5); };
  *p = 0xff000000u | channel(colour.x) << 16 | channel(colour.y) << 8 | channel(colour.z);
}

void makeLand(DemoTree& tree) {
  ObjWriter obj("The island of the sample demo: height field over x, z in [-40, 40]", "Land.mtl");
  const int n = kTerrainQuads;
  const double step = 2 * kTerrainHalfSize / n;
  for (int j = 0; j <= n; ++j) {
    for (int i = 0; i <= n; ++i) {
      const double x = -kTerrainHalfSize + i * step, z = -kTerrainHalfSize + j * step;
      obj.vertex({x, terrainHeight(x, z), z}, static_cast<double>(i) / n, 1.0 - static_cast<double>(j) / n,
                 terrainNormal(x, z));
    }
  }
  obj.group("Land");
  obj.useMaterial("Land");
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      const int a = j * (n + 1) + i + 1, b = a + 1, c = a + n + 1, d = c + 1;
      // Counter-clockwise seen from above (+y).
      obj.triangle(a, c, b);
      obj.triangle(b, c, d);
    }
  }
  tree.writeFile("Models/Land.obj", obj.text());

  // The diffuse map: sea, sand, grass, rock and snow by height and slope.
  const int size = 1024;
  Canvas canvas(size, size);
  cairo_surface_t* surface = cairo_get_target(canvas.cr());
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double wx = -kTerrainHalfSize + 2 * kTerrainHalfSize * (x + 0.5) / size;
      const double wz = -kTerrainHalfSize + 2 * kTerrainHalfSize * (y + 0.5) / size;
      const double h = terrainHeight(wx, wz);
      const double slope = 1 - terrainNormal(wx, wz).y;
      const double grain = fractalNoise(wx * 0.6, wz * 0.6, 3);
      V3 colour;
      if (h <= kSeaLevel + 1e-6) {
        const double depth = std::sqrt(wx * wx + wz * wz) / 56.0;
        colour = mix({0.16, 0.55, 0.62}, {0.04, 0.18, 0.38}, depth + 0.2 * grain);
      } else if (h < 0.5) {
        colour = mix({0.86, 0.78, 0.55}, {0.75, 0.66, 0.45}, grain);
      } else {
        const V3 grass = mix({0.22, 0.5, 0.16}, {0.42, 0.58, 0.2}, grain * 1.4 - 0.2);
        const V3 rock = mix({0.45, 0.4, 0.35}, {0.6, 0.56, 0.5}, grain);
        colour = mix(grass, rock, (h - 5.5) / 2.5 + slope * 6 - 0.6);
        colour = mix(colour, {0.95, 0.96, 1.0}, (h - 9.0) / 1.2);
      }
      putPixel(data, stride, x, y, colour);
    }
  }
  cairo_surface_mark_dirty(surface);
  if (!canvas.saveJpeg(tree.path("Textures/Land.jpg"), 85)) tree.fail("Textures/Land.jpg not written");
}

void makeSky(DemoTree& tree) {
  ObjWriter obj("Sky sphere of radius 62 around the island, normals facing inwards", "SkySphere.mtl");
  constexpr double kRadius = 62;
  const int slices = 48, stacks = 24;
  for (int s = 0; s <= stacks; ++s) {
    const double theta = M_PI * s / stacks;
    for (int k = 0; k <= slices; ++k) {
      const double phi = kTau * k / slices;
      const V3 direction{std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)};
      obj.vertex(direction * kRadius, static_cast<double>(k) / slices, 1.0 - static_cast<double>(s) / stacks,
                 direction * -1.0);
    }
  }
  obj.group("Sky");
  obj.useMaterial("Sky");
  for (int s = 0; s < stacks; ++s) {
    for (int k = 0; k < slices; ++k) {
      const int a = s * (slices + 1) + k + 1, b = a + 1, c = a + slices + 1, d = c + 1;
      // Wound to face the centre.
      obj.triangle(a, c, b);
      obj.triangle(b, c, d);
    }
  }
  tree.writeFile("Models/SkySphere.obj", obj.text());

  // Equirectangular sky: zenith at the top row, horizon in the middle, haze below.
  const int width = 1024, height = 512;
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  canvas.paintVerticalGradient({{0.0, 0.10, 0.22, 0.52},
                                {0.35, 0.30, 0.52, 0.80},
                                {0.49, 0.95, 0.78, 0.62},
                                {0.52, 0.55, 0.66, 0.74},
                                {1.0, 0.10, 0.20, 0.32}});
  // Sun glow, and soft clouds drawn twice so they wrap across the seam at u = 0.
  cairo_pattern_t* sun = cairo_pattern_create_radial(384, 150, 4, 384, 150, 120);
  cairo_pattern_add_color_stop_rgba(sun, 0, 1, 1, 0.9, 1);
  cairo_pattern_add_color_stop_rgba(sun, 0.12, 1, 0.95, 0.7, 0.9);
  cairo_pattern_add_color_stop_rgba(sun, 1, 1, 0.8, 0.5, 0);
  cairo_set_source(cr, sun);
  cairo_paint(cr);
  cairo_pattern_destroy(sun);
  Random random(99);
  for (int i = 0; i < 90; ++i) {
    const double x = random.range(0, width), y = random.range(110, 245);
    const double rx = random.range(30, 90), ry = rx * random.range(0.18, 0.35);
    const double alpha = random.range(0.12, 0.3);
    for (double offset : {-static_cast<double>(width), 0.0, static_cast<double>(width)}) {
      cairo_save(cr);
      cairo_translate(cr, x + offset, y);
      cairo_scale(cr, rx, ry);
      cairo_pattern_t* puff = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
      cairo_pattern_add_color_stop_rgba(puff, 0, 1, 1, 1, alpha);
      cairo_pattern_add_color_stop_rgba(puff, 1, 1, 1, 1, 0);
      cairo_set_source(cr, puff);
      cairo_arc(cr, 0, 0, 1, 0, kTau);
      cairo_fill(cr);
      cairo_pattern_destroy(puff);
      cairo_restore(cr);
    }
  }
  if (!canvas.saveJpeg(tree.path("Textures/Sky.jpg"), 85)) tree.fail("Textures/Sky.jpg not written");
}

// Hull radius at position x along the axis (tail at -7, nose at +7).
double hullRadius(double x) {
  const double t = x < 0.8 ? (x - 0.8) / 7.8 : (x - 0.8) / 6.2;
  return 2.4 * std::sqrt(std::max(0.0, 1 - t * t));
}

// A point on the hull surface: angle 0 underneath, pi/2 on the +z side, pi on top.
V3 hullPoint(double x, double angle) {
  const double r = hullRadius(x);
  return kZeppelinCentre + V3{x, -r * std::cos(angle), r * std::sin(angle)};
}

void box(ObjWriter& obj, V3 low, V3 high) {
  const V3 c[8] = {{low.x, low.y, low.z},  {high.x, low.y, low.z},  {low.x, high.y, low.z},
                   {high.x, high.y, low.z}, {low.x, low.y, high.z}, {high.x, low.y, high.z},
                   {low.x, high.y, high.z}, {high.x, high.y, high.z}};
  // Each face: four corners counter-clockwise seen from outside, and its normal.
  const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 4, 6, 2}, {1, 3, 7, 5}, {0, 1, 5, 4}, {2, 6, 7, 3}};
  const V3 normals[6] = {{0, 0, -1}, {0, 0, 1}, {-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}};
  for (int f = 0; f < 6; ++f) {
    const int a = obj.vertex(c[faces[f][0]], 0, 0, normals[f]);
    const int b = obj.vertex(c[faces[f][1]], 1, 0, normals[f]);
    const int d = obj.vertex(c[faces[f][2]], 1, 1, normals[f]);
    const int e = obj.vertex(c[faces[f][3]], 0, 1, normals[f]);
    obj.triangle(a, b, d);
    obj.triangle(a, d, e);
  }
}

void makeZeppelin(DemoTree& tree) {
  ObjWriter obj("A zeppelin: hull, gondola, tail fins and engine pods", "Zepp.mtl");
  const V3 zc = kZeppelinCentre;

  obj.group("Hull");
  obj.useMaterial("ZeppHull");
  const int along = 48, around = 32;
  std::vector<int> index((along + 1) * (around + 1));
  for (int i = 0; i <= along; ++i) {
    const double x = -7 + 14.0 * i / along;
    const double slope = (hullRadius(std::min(x + 0.05, 7.0)) - hullRadius(std::max(x - 0.05, -7.0))) / 0.1;
    for (int k = 0; k <= around; ++k) {
      const double angle = kTau * k / around;
      const V3 radial{0, -std::cos(angle), std::sin(angle)};
      const V3 normal = normalised(radial + V3{-std::clamp(slope, -20.0, 20.0), 0, 0});
      index[i * (around + 1) + k] =
          obj.vertex(hullPoint(x, angle), static_cast<double>(i) / along, static_cast<double>(k) / around,
                     i == 0 ? V3{-1, 0, 0} : i == along ? V3{1, 0, 0} : normal);
    }
  }
  for (int i = 0; i < along; ++i) {
    for (int k = 0; k < around; ++k) {
      const int a = index[i * (around + 1) + k], b = index[i * (around + 1) + k + 1];
      const int c = index[(i + 1) * (around + 1) + k], d = index[(i + 1) * (around + 1) + k + 1];
      obj.triangle(a, c, b);
      obj.triangle(b, c, d);
    }
  }

  obj.group("Gondola");
  obj.useMaterial("ZeppGondola");
  box(obj, zc + V3{-1.6, -3.3, -0.7}, zc + V3{2.4, -2.25, 0.7});

  obj.group("Fins");
  obj.useMaterial("ZeppFin");
  for (int f = 0; f < 4; ++f) {
    const double angle = f * M_PI / 2;
    const V3 radial{0, -std::cos(angle), std::sin(angle)};
    const V3 side = normalised(cross({1, 0, 0}, radial));
    const V3 outline[4] = {zc + V3{-4.2, 0, 0} + radial * (hullRadius(-4.2) - 0.1),
                           zc + V3{-6.8, 0, 0} + radial * (hullRadius(-6.8) - 0.05),
                           zc + V3{-7.4, 0, 0} + radial * 2.7, zc + V3{-5.8, 0, 0} + radial * 2.7};
    // Both faces of the fin, each with its own normal.
    for (int s = -1; s <= 1; s += 2) {
      const V3 n = side * s;
      int v[4];
      for (int k = 0; k < 4; ++k) v[k] = obj.vertex(outline[k] + n * 0.04, k == 1 || k == 2, k >= 2, n);
      if (s > 0) {
        obj.triangle(v[0], v[2], v[1]);
        obj.triangle(v[0], v[3], v[2]);
      } else {
        obj.triangle(v[0], v[1], v[2]);
        obj.triangle(v[0], v[2], v[3]);
      }
    }
  }

  obj.group("Engines");
  obj.useMaterial("ZeppEngine");
  for (int side = -1; side <= 1; side += 2) {
    const V3 centre = zc + V3{-0.5, -1.7, side * 2.6};
    const int segments = 16;
    int ring[2][17];
    for (int end = 0; end < 2; ++end) {
      for (int k = 0; k <= segments; ++k) {
        const double a = kTau * k / segments;
        const V3 radial{0, std::cos(a), std::sin(a)};
        ring[end][k] = obj.vertex(centre + V3{end ? 0.9 : -0.9, 0, 0} + radial * 0.38,
                                  end, static_cast<double>(k) / segments, radial);
      }
    }
    for (int k = 0; k < segments; ++k) {
      obj.triangle(ring[0][k], ring[0][k + 1], ring[1][k]);
      obj.triangle(ring[0][k + 1], ring[1][k + 1], ring[1][k]);
    }
    box(obj, centre + V3{-0.15, 0.3, side > 0 ? -0.9 : 0.2}, centre + V3{0.15, 0.45, side > 0 ? -0.2 : 0.9});
  }
  tree.writeFile("Models/Zepp.obj", obj.text());

  // Hull map: u runs from tail to nose, v around the hull (v = 0.25 is the +z side, 0.75 the
  // -z side). Silver panels, a red band, and the name on both sides, upright from outside.
  const int width = 1024, height = 512;
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  canvas.paintVerticalGradient({{0, 0.82, 0.83, 0.86}, {0.5, 0.7, 0.71, 0.75}, {1, 0.82, 0.83, 0.86}});
  cairo_set_source_rgba(cr, 0.3, 0.3, 0.35, 0.5);
  cairo_set_line_width(cr, 2);
  for (int i = 1; i < 24; ++i) {
    cairo_move_to(cr, i * width / 24.0, 0);
    cairo_line_to(cr, i * width / 24.0, height);
  }
  for (int i = 1; i < 16; ++i) {
    cairo_move_to(cr, 0, i * height / 16.0);
    cairo_line_to(cr, width, i * height / 16.0);
  }
  cairo_stroke(cr);
  for (double row : {0.25, 0.75}) {
    const double y = height * (1 - row);
    cairo_set_source_rgb(cr, 0.75, 0.12, 0.1);
    cairo_rectangle(cr, 0, y - 48, width, 96);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, width / 2.0, y);
    if (row > 0.5) cairo_rotate(cr, M_PI);
    cairo_set_source_rgb(cr, 1, 0.95, 0.85);
    canvas.centredText("QUINTAVAL", 0, 26, 76);
    cairo_restore(cr);
  }
  if (!canvas.saveJpeg(tree.path("Textures/ZeppHull.jpg"), 85)) tree.fail("Textures/ZeppHull.jpg not written");
}

}  // namespace

void makeModels(DemoTree& tree) {
  makeLand(tree);
  makeSky(tree);
  makeZeppelin(tree);
}

}  // namespace quintaval::demo
