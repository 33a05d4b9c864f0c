// Camera shake: the spectrum bin a shake track picks, inside the spectrum whatever the
// track holds, and the offset, that bin's level times both strengths.
#include "scenes/camera_shake.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

namespace quintaval {
namespace {

TEST(ShakeBin, TruncatesInRangeValuesAndKeepsEveryOtherInsideTheSpectrum) {
  // 512 and above take sin(t * 10000), below 0 cos(t * 10000): truncated, bin 0 almost
  // always; at t = 0 the cosine is exactly 1, so bin 1. Damaged values give bin 0.
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const std::tuple<float, float, int> cases[] = {
      {37.9f, 1.0f, 37}, {0.0f, 1.0f, 0},   {511.99f, 1.0f, 511}, {512.0f, 2.5f, 0}, {9999.0f, 77.7f, 0},
      {-3.0f, 127.9f, 0}, {-3.0f, 0.0f, 1}, {nan, 1.0f, 0},       {inf, 1.0f, 0},    {-inf, 1.0f, 0}};
  for (const auto& [value, t, bin] : cases) EXPECT_EQ(shakeBin(value, t), bin) << value << " at " << t;
  // Where the cosine is exactly -1 the truncated bin would be -1, outside the spectrum.
  const float t = static_cast<float>(3.14159265358979323846 / 10000.0);
  EXPECT_TRUE(std::cos(t * 10000.0f) != -1.0f || shakeBin(-1.0f, t) == 0);
}

TEST(CameraShake, SpectrumBinTimesBothStrengths) {
  std::vector<float> spectrum(512, 0.0f);
  spectrum[37] = 0.5f;
  spectrum[3] = 0.25f;
  TrackValues tracks;
  // A zero strength (MagY) keeps the camera on the path.
  const std::pair<int, float> values[] = {{kCamShakeDatX, 37.9f}, {kCamShakeX, 2.0f}, {kCamShakeMagX, 3.0f},
                                          {kCamShakeDatY, 3.0f},  {kCamShakeY, 4.0f}, {kCamShakeMagY, 0.0f}};
  for (const auto& [track, value] : values) tracks.value[track] = value;
  const Vec2 shake = cameraShake(tracks, spectrum.data(), 1.0f);
  EXPECT_FLOAT_EQ(shake.x, 3.0f);
  EXPECT_EQ(shake.y, 0.0f);
}

}  // namespace
}  // namespace quintaval
