// Bezier path preparation and queries. The numeric steps are kept exactly so that the
// camera lands on the same points on every machine: single-precision intermediates, the
// cubic's four terms summed in a fixed order and rounded once, t sampled as i * (1/5000)
// and u stepped by adding 1/5000 (which gives 5001 samples through rounding).
//
// Degenerate input is guarded: a segment of zero length is never chosen (its arc table
// is all 1, not 0/0), and a path of zero total length gives its first control point. So
// does a path whose length overflows single precision (points near the float limits): its
// fractions are then 0 or NaN and no segment can be chosen.
#include "geometry/camera_path.h"

#include <algorithm>
#include <cmath>

namespace quintaval {

namespace {

constexpr float kSampleStep = 1.0f / 5000.0f;
constexpr float kEndOfPath = 0.9999999f;

float distance(const Vec3& a, const Vec3& b) {
  const float dx = a.x - b.x;
  const float dy = a.y - b.y;
  const float dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace

float clampPathFraction(float u) {
  if (u < 0.0f) return 0.0f;
  if (!(u < kEndOfPath)) return CameraPath::kLastU;
  return u;
}

Vec3 CameraPath::segmentPoint(int segment, float t) const {
  const Vec3* p = &controlPoints[static_cast<std::size_t>(3 * segment)];
  const float r = 1.0f - t;
  const float r2 = r * r;
  const float w0 = r2 * r;
  const float w1 = 3.0f * r2 * t;
  const float w2 = 3.0f * r * t * t;
  const float w3 = t * t * t;
  auto mix = [&](float a0, float a1, float a2, float a3) {
    const double sum = static_cast<double>(a1) * w1 + static_cast<double>(a0) * w0 +
                       static_cast<double>(a2) * w2 + static_cast<double>(a3) * w3;
    return static_cast<float>(sum);
  };
  return Vec3{mix(p[0].x, p[1].x, p[2].x, p[3].x), mix(p[0].y, p[1].y, p[2].y, p[3].y),
              mix(p[0].z, p[1].z, p[2].z, p[3].z)};
}

void CameraPath::prepareSegments() {
  const int n = static_cast<int>(controlPoints.size());
  segmentCount = n >= 1 ? (n - 1) / 3 : 0;
  segments.assign(static_cast<std::size_t>(segmentCount), PathSegment());
  totalLength = 0.0f;

  std::vector<Vec3> samples(kSamplesPerSegment);
  std::vector<float> distances(kArcTableSize);
  for (int j = 0; j < segmentCount; ++j) {
    for (int i = 0; i < kSamplesPerSegment; ++i) {
      const float t = static_cast<float>(i) * kSampleStep;
      samples[static_cast<std::size_t>(i)] = segmentPoint(j, t);
    }
    // The last distance ends at sample 4997 (t = 0.9994): the measured part of the
    // segment stops short of its end, and curvePoint stretches it over t from 0 to 1.
    PathSegment& segment = segments[static_cast<std::size_t>(j)];
    for (int k = 0; k < kArcTableSize; ++k) {
      distances[static_cast<std::size_t>(k)] =
          distance(samples[static_cast<std::size_t>(k)], samples[static_cast<std::size_t>(k + 1)]);
      segment.length += distances[static_cast<std::size_t>(k)];
    }
    segment.arcTable.resize(kArcTableSize);
    float covered = 0.0f;
    for (int k = 0; k < kArcTableSize; ++k) {
      covered = segment.length > 0.0f
                    ? covered + distances[static_cast<std::size_t>(k)] / segment.length
                    : 1.0f;
      segment.arcTable[static_cast<std::size_t>(k)] = covered;
    }
    totalLength += segment.length;
  }
  for (PathSegment& segment : segments) {
    segment.fraction = totalLength > 0.0f ? segment.length / totalLength : 0.0f;
  }
}

void CameraPath::buildSampledPath() {
  sampledPath.clear();
  sampledPath.reserve(3 * (kSamplesPerSegment + 1));
  float u = 0.0f;
  do {
    Vec3 point{1.0f, 1.0f, 1.0f};
    curvePoint(u, point);
    sampledPath.insert(sampledPath.end(), {point.x, point.y, point.z});
    u = u + kSampleStep;
  } while (u < kEndOfPath);
}

bool CameraPath::curvePoint(float u, Vec3& point) const {
  if (controlPoints.empty()) {
    return false;
  }
  if (!(totalLength > 0.0f)) {
    point = controlPoints.front();
    return true;
  }
  u = clampPathFraction(u);

  // The first segment whose accumulated fraction reaches u. Rounding can leave the sum
  // of all fractions just below u near the end; the last segment then takes it.
  int chosen = -1;
  float reached = 0.0f;
  float accumulated = 0.0f;
  for (int j = 0; j < segmentCount; ++j) {
    const PathSegment& segment = segments[static_cast<std::size_t>(j)];
    accumulated = accumulated + segment.fraction;
    if (segment.fraction > 0.0f) {
      chosen = j;
      reached = accumulated;
      if (accumulated >= u) break;
    }
  }
  if (chosen < 0) {
    point = controlPoints.front();
    return true;
  }
  const PathSegment& segment = segments[static_cast<std::size_t>(chosen)];
  const float start = reached - segment.fraction;
  const float span = reached - start;
  float s = span > 0.0f ? (u - start) * (1.0f / span) : 0.0f;
  // Within the segment: rounding may put s a little past 1, and a segment whose share is
  // too small for single precision could give infinity or NaN, which must not reach the
  // conversion to an index below.
  if (!(s >= 0.0f)) s = 0.0f;
  if (s > 1.0f) s = 1.0f;

  // Back from arc length to the curve parameter: k locates the sample interval, v adds
  // less than one interval (an arc-table value interpolated at s * m), and dividing by m
  // stretches the measured part over the whole segment.
  constexpr int m = kArcTableSize;
  const float g = s * static_cast<float>(m);
  int whole = static_cast<int>(g);
  whole = std::clamp(whole, 0, m - 1);
  const float f = g - static_cast<float>(whole);
  const float upper = segment.arcTable[static_cast<std::size_t>(whole)];
  const float lower = whole == 0 ? 0.0f : segment.arcTable[static_cast<std::size_t>(whole - 1)];
  // The table never falls, so the first entry above s is its upper bound.
  const auto above = std::upper_bound(segment.arcTable.begin(), segment.arcTable.end(), s);
  float t = s;
  if (above != segment.arcTable.end()) {
    const float k = static_cast<float>(above - segment.arcTable.begin());
    const float v = lower + f * (upper - lower);
    t = (v + k) / static_cast<float>(m);
  }
  point = segmentPoint(chosen, t);
  return true;
}

bool CameraPath::pathPoint(float u, Vec3& point) const {
  const std::size_t count = sampledPath.size() / 3;
  if (count == 0) {
    return false;
  }
  u = clampPathFraction(u);
  const float scaled = static_cast<float>(count) * u;
  std::size_t index = static_cast<std::size_t>(scaled);
  index = std::min(index, count - 1);
  point = Vec3{sampledPath[3 * index], sampledPath[3 * index + 1], sampledPath[3 * index + 2]};
  return true;
}

}  // namespace quintaval
