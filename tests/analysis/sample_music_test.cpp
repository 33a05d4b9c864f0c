// The sample demo's music as the build generated it (build/demo/Data), decoded by the
// player's decoder: 120 beats per minute by construction, with a kick on every beat
// from 0 s until the last two bars of the last section, at 124 s. The kicks below follow
// the generator's arrangement (tools/make-demo/music.cpp): eight sections of eight bars
// of four beats, the kick on every beat but in bars 6 and 7 of section 7.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "analysis/music_analysis.h"
#include "click_track.h"
#include "platform/audio/music_decoder.h"

namespace quintaval {
namespace {

constexpr double kBeat = 0.5;
using testing::shareNear;

std::vector<double> sampleKicks() {
  std::vector<double> kicks;
  for (int section = 0; section < 8; ++section) {
    for (int bar = 0; bar < 8; ++bar) {
      for (int beat = 0; beat < 4; ++beat) {
        if (section < 7 || bar < 6) kicks.push_back(((section * 8 + bar) * 4 + beat) * kBeat);
      }
    }
  }
  return kicks;
}

TEST(SampleMusic, TempoBeatsAndKicksAreFoundWithin20Milliseconds) {
  const std::filesystem::path file =
      std::filesystem::path(std::getenv("QV_BINARY_DIR")) / "demo/Data/Sound/Musica.mp3";
  DecodedMusic music;
  std::string failure;
  ASSERT_TRUE(decodeMusicFile(file.string(), music, &failure))
      << failure << " (the sample demo has not been built into build/demo/Data)";
  const MusicAnalysis analysis =
      analyseMusic(music.samples.data(), static_cast<std::size_t>(music.frames()), music.channels, music.sampleRate);

  const std::vector<double> kicks = sampleKicks();
  ASSERT_EQ(kicks.size(), 248u);
  EXPECT_EQ(kicks.back(), 123.5);
  EXPECT_NEAR(analysis.bpm, 120.0, 0.5);
  std::vector<double> beatsWithKicks;
  for (double beat : analysis.beats) {
    if (beat < 124.0) beatsWithKicks.push_back(beat);
  }
  EXPECT_GE(shareNear(kicks, analysis.beats), 0.95);
  EXPECT_GE(shareNear(beatsWithKicks, kicks), 0.95);
  std::vector<double> onsets;
  for (const Onset& onset : analysis.onsets) onsets.push_back(onset.seconds);
  EXPECT_EQ(shareNear(kicks, onsets), 1.0);
  // The beat the author's Ctrl+Down lands on from 40.2 s.
  EXPECT_NEAR(*std::upper_bound(analysis.beats.begin(), analysis.beats.end(), 40.2), 40.5, 0.02);
}

}  // namespace
}  // namespace quintaval
