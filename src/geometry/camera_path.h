// A piecewise cubic bezier path, positioned by the fraction u of its length.
//
// Segment j uses control points 3j to 3j+3. Preparation measures every segment with 5000
// samples into a table of cumulative arc length, so that curvePoint maps u to a point at
// that fraction of the length; buildSampledPath then stores 5001 points spaced evenly
// along the path for the constant-time pathPoint. All arithmetic is single precision.
#pragma once

#include <string>
#include <vector>

#include "core/math.h"

namespace quintaval {

struct PathSegment {
  std::vector<float> arcTable;  // entry k: fraction of the length measured up to sample k+1
  float length = 0.0f;          // measured length
  float fraction = 0.0f;        // length / total length of the path
};

struct CameraPath {
  static constexpr int kSamplesPerSegment = 5000;
  static constexpr int kArcTableSize = 4997;
  // Largest u the queries use: 1 and beyond read as a point just before the end.
  static constexpr float kLastU = 0.99999982f;

  std::string name;  // the file name of the ".ma" file
  std::string path;  // the file's full path
  std::vector<Vec3> controlPoints;
  int segmentCount = 0;
  float totalLength = 0.0f;
  std::vector<PathSegment> segments;
  std::vector<float> sampledPath;  // x, y, z of each sample point

  // Segments, arc tables and fractions from the control points as they are now.
  void prepareSegments();
  // The 5001 evenly spaced points, from the control points as they are now.
  void buildSampledPath();

  // The point at length fraction u (clamped). A path of zero length gives its first
  // control point. False only for a path without control points.
  bool curvePoint(float u, Vec3& point) const;
  // The sampled point at u (clamped). False while the sampled path is empty.
  bool pathPoint(float u, Vec3& point) const;

  // The cubic of segment `segment` at parameter t.
  Vec3 segmentPoint(int segment, float t) const;
};

// u below 0 becomes 0; u not below 0.9999999 becomes kLastU.
float clampPathFraction(float u);

}  // namespace quintaval
