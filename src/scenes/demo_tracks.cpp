#include "scenes/demo_tracks.h"

namespace quintaval {

const std::array<const char*, kDemoTrackCount> kDemoTrackNames = {
    "scene.num",       "campath.pos",     "camview.x",       "camview.y",   "camview.z",
    "cam.roll",        "cam.shake.x",     "cam.shake.y",     "cam.shake.mag.x", "cam.shake.mag.y",
    "cam.shake.dat.x", "cam.shake.dat.y", "fov",             "curve.start", "curve.end",
    "anim.pos",        "anim.num",        "anim.alpha",      "text.line",
};

void DemoTracks::request(SyncDevice& device) {
  for (int i = 0; i < kDemoTrackCount; ++i) tracks_[i] = device.getTrack(kDemoTrackNames[i]);
}

TrackValues DemoTracks::evaluate(double row) const {
  TrackValues values;
  for (int i = 0; i < kDemoTrackCount; ++i) {
    values.value[i] = tracks_[i] ? static_cast<float>(tracks_[i]->valueAt(row)) : 0.0f;
  }
  return values;
}

}  // namespace quintaval
