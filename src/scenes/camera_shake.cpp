#include "scenes/camera_shake.h"

#include <cmath>

#include "timeline/clock.h"

namespace quintaval {

int shakeBin(float dat, float t) {
  float d = dat;
  const float angle = t * 10000.0f;
  if (d >= 512.0f) {
    d = std::sin(angle);
  } else if (d < 0.0f) {
    d = std::cos(angle);
  }
  // A not-a-number track value passes both tests above; it must not reach the cast.
  if (!(d >= 0.0f && d < static_cast<float>(kSpectrumBins))) return 0;
  return static_cast<int>(d);
}

Vec2 cameraShake(const TrackValues& tracks, const float* spectrum, float t) {
  const float x = spectrum[shakeBin(tracks[kCamShakeDatX], t)];
  const float y = spectrum[shakeBin(tracks[kCamShakeDatY], t)];
  return {x * tracks[kCamShakeX] * tracks[kCamShakeMagX], y * tracks[kCamShakeY] * tracks[kCamShakeMagY]};
}

}  // namespace quintaval
