// The island of the 3D scene: a height field over x and z in [-40, 40] (y is up), with a
// flat sea at y = -0.4 around it. The land model and its texture are both made from it, and
// the camera path in data/maya/CamCurve.ma is laid out to stay above it (the highest
// point is about 6.5 units).
#pragma once

namespace quintaval::demo {

constexpr double kTerrainHalfSize = 40.0;
constexpr int kTerrainQuads = 200;  // per side
constexpr double kSeaLevel = -0.4;

double terrainHeight(double x, double z);

}  // namespace quintaval::demo
