#include "scenes/camera_shake.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace quintaval {
namespace {

TEST(ShakeBin, InRangeValuesAreTruncated) {
  EXPECT_EQ(shakeBin(37.9f, 1.0f), 37);
  EXPECT_EQ(shakeBin(0.0f, 1.0f), 0);
  EXPECT_EQ(shakeBin(511.99f, 1.0f), 511);
}

TEST(ShakeBin, OutOfRangeValuesFallBackToBinZero) {
  // 512 and above take sin(t * 10000), below 0 cos(t * 10000): truncated, bin 0 almost always.
  for (float t : {0.013f, 1.0f, 2.5f, 77.7f, 127.9f}) {
    EXPECT_EQ(shakeBin(512.0f, t), 0) << t;
    EXPECT_EQ(shakeBin(9999.0f, t), 0) << t;
    EXPECT_EQ(shakeBin(-3.0f, t), 0) << t;
  }
  // At t = 0 the cosine is exactly 1: bin 1, as the replacement rule gives.
  EXPECT_EQ(shakeBin(-3.0f, 0.0f), 1);
  // Where the cosine is exactly -1 the truncated bin would be -1, outside the spectrum.
  const float t = static_cast<float>(M_PI / 10000.0);
  if (std::cos(t * 10000.0f) == -1.0f) {
    EXPECT_EQ(shakeBin(-1.0f, t), 0);
  }
}

TEST(ShakeBin, DamagedTrackValuesStayInsideTheSpectrum) {
  EXPECT_EQ(shakeBin(std::numeric_limits<float>::quiet_NaN(), 1.0f), 0);
  EXPECT_EQ(shakeBin(std::numeric_limits<float>::infinity(), 1.0f), 0);
  EXPECT_EQ(shakeBin(-std::numeric_limits<float>::infinity(), 1.0f), 0);
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
