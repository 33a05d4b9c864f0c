#include "scenes/camera_shake.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace quintaval {
namespace {

TEST(ShakeBin, TruncatesInRangeValuesAndKeepsEveryOtherInsideTheSpectrum) {
  // 512 and above take sin(t * 10000), below 0 cos(t * 10000): truncated, bin 0 almost
  // always; at t = 0 the cosine is exactly 1, so bin 1. Damaged values give bin 0.
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const struct {
    float value, t;
    int bin;
  } cases[] = {{37.9f, 1.0f, 37}, {0.0f, 1.0f, 0},   {511.99f, 1.0f, 511}, {512.0f, 2.5f, 0}, {9999.0f, 77.7f, 0},
               {-3.0f, 127.9f, 0}, {-3.0f, 0.0f, 1}, {nan, 1.0f, 0},       {inf, 1.0f, 0},    {-inf, 1.0f, 0}};
  for (const auto& c : cases) EXPECT_EQ(shakeBin(c.value, c.t), c.bin) << c.value << " at " << c.t;
  // Where the cosine is exactly -1 the truncated bin would be -1, outside the spectrum.
  const float t = static_cast<float>(M_PI / 10000.0);
  if (std::cos(t * 10000.0f) == -1.0f) {
    EXPECT_EQ(shakeBin(-1.0f, t), 0);
  }
}

TEST(CameraShake, SpectrumBinTimesBothStrengths) {
  std::vector<float> spectrum(512, 0.0f);
  spectrum[37] = 0.5f;
  spectrum[3] = 0.25f;
  TrackValues tracks;
  tracks.value[kCamShakeDatX] = 37.9f;
  tracks.value[kCamShakeX] = 2.0f;
  tracks.value[kCamShakeMagX] = 3.0f;
  tracks.value[kCamShakeDatY] = 3.0f;
  tracks.value[kCamShakeY] = 4.0f;
  tracks.value[kCamShakeMagY] = 0.0f;  // a zero strength keeps the camera on the path
  Vec2 shake = cameraShake(tracks, spectrum.data(), 1.0f);
  EXPECT_FLOAT_EQ(shake.x, 3.0f);
  EXPECT_EQ(shake.y, 0.0f);
}

}  // namespace
}  // namespace quintaval
