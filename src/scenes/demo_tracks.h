// The 19 sync tracks that direct the demo, requested in a fixed order at start-up and
// evaluated together once per frame.
#pragma once

#include <array>

#include "sync/sync_device.h"

namespace quintaval {

enum DemoTrack {
  kSceneNum,
  kCampathPos,
  kCamviewX,
  kCamviewY,
  kCamviewZ,
  kCamRoll,
  kCamShakeX,
  kCamShakeY,
  kCamShakeMagX,
  kCamShakeMagY,
  kCamShakeDatX,
  kCamShakeDatY,
  kFov,
  kCurveStart,
  kCurveEnd,
  kAnimPos,
  kAnimNum,
  kAnimAlpha,
  kTextLine,
  kDemoTrackCount
};

// Track names in request order: "scene.num", "campath.pos", ...
extern const std::array<const char*, kDemoTrackCount> kDemoTrackNames;

// Every track's value at one row, in single precision, indexed by DemoTrack.
struct TrackValues {
  std::array<float, kDemoTrackCount> value{};
  float operator[](DemoTrack track) const { return value[track]; }
};

class DemoTracks {
 public:
  // Requests the tracks from `device` in the order of kDemoTrackNames (each file is read
  // on its first request).
  void request(SyncDevice& device);
  // Every track at `row`; tracks never requested read 0.
  TrackValues evaluate(double row) const;

 private:
  std::array<const SyncTrack*, kDemoTrackCount> tracks_{};
};

}  // namespace quintaval
