// The spectrum as a function of samples and position, and a frame's one reading of a
// clock (the fixed clock of offline rendering): row and spectrum at the clock's time.
#include "timeline/spectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "timeline/fixed_clock.h"
#include "timeline/frame_time.h"

namespace quintaval {
namespace {

constexpr int kRate = 44100;

// One second of a full-scale sine on FFT bin `bin` (at 44100 Hz), after `silenceSeconds`.
std::shared_ptr<DecodedMusic> sineMusic(int bin, int channels, double silenceSeconds = 0.0) {
  const int silent = static_cast<int>(silenceSeconds * kRate);
  auto music = std::make_shared<DecodedMusic>(
      DecodedMusic{kRate, channels, std::vector<float>(static_cast<size_t>(silent + kRate) * channels)});
  for (size_t i = static_cast<size_t>(silent) * channels; i < music->samples.size(); ++i) {
    music->samples[i] = float(std::sin(2.0 * 3.14159265358979323846 * bin * double(i / channels) / kSpectrumWindow));
  }
  return music;
}

int peakBin(const float* bins) { return int(std::max_element(bins, bins + kSpectrumBins) - bins); }

TEST(Spectrum, AFullScaleSineOnABinCentreReadsOneThereWithTheChannelsMixedToMono) {
  float bins[kSpectrumBins];
  for (int bin : {8, 93, 400}) {
    for (int channels : {1, 2}) {
      computeSpectrum(*sineMusic(bin, channels), 0.3, bins);
      EXPECT_EQ(peakBin(bins), bin);
      EXPECT_NEAR(bins[bin], 1.0f, 0.01f) << bin << " " << channels;
    }
  }
  // Opposite phases in the two channels cancel.
  auto music = sineMusic(50, 2);
  for (size_t i = 1; i < music->samples.size(); i += 2) music->samples[i] = -music->samples[i];
  computeSpectrum(*music, 0.2, bins);
  EXPECT_LT(bins[peakBin(bins)], 1e-6f);
}

TEST(Spectrum, SilenceAndPositionsOutsideTheMusicReadZero) {
  const auto music = sineMusic(50, 2, 0.5);
  float bins[kSpectrumBins];
  for (double seconds : {0.0, 0.4, 1.6, -3.0, 1e9}) {
    std::fill(bins, bins + kSpectrumBins, -1.0f);
    computeSpectrum(*music, seconds, bins);
    EXPECT_EQ(bins[peakBin(bins)], 0.0f) << seconds;
  }
  // The window starts at the position: just before the tone it sees only the tone's
  // first 100 frames, at its faint tail.
  computeSpectrum(*music, 0.5 - (kSpectrumWindow - 100.0) / kRate, bins);
  EXPECT_GT(bins[50], 0.0f);
  EXPECT_LT(bins[50], 0.2f);
}

TEST(FrameTime, RowAndSpectrumAreThoseOfTheClocksTime) {
  FixedClock clock(100.25);
  FrameTime time = FrameTime::read(clock);
  EXPECT_EQ(time.seconds, 100.25);
  EXPECT_EQ(time.row, 1403.5);  // not rounded to a whole row
  EXPECT_EQ(time.spectrum[peakBin(time.spectrum.data())], 0.0f);  // no music

  clock.attachMusic(sineMusic(40, 2));
  clock.setTime(0.5);
  time = FrameTime::read(clock);
  EXPECT_EQ(peakBin(time.spectrum.data()), 40);
  EXPECT_NEAR(time.spectrum[40], 1.0f, 0.01f);
  clock.setTime(1.5);  // past its end
  EXPECT_EQ(FrameTime::read(clock).spectrum[40], 0.0f);
}

}  // namespace
}  // namespace quintaval
