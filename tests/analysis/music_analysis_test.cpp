// The music's analysis on click tracks made in memory, whose beats and hits are known: the
// tempo within its tolerance, the beats found and the true ones within 20 ms of each other
// (95 % both ways), every click among the onsets; and what silence, noise and too little
// music give.
#include "analysis/music_analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "click_track.h"

namespace quintaval {
namespace {

using testing::ClickTrack;
using testing::ClickTrackRecipe;
using testing::shareNear;

MusicAnalysis analyse(const std::vector<float>& mono, int rate = 44100) {
  return analyseMusic(mono.data(), mono.size(), 1, rate);
}

std::vector<double> onsetTimes(const MusicAnalysis& analysis) {
  std::vector<double> times;
  for (const Onset& onset : analysis.onsets) times.push_back(onset.seconds);
  return times;
}

ClickTrackRecipe recipe(double bpm, double seconds) {
  ClickTrackRecipe r;
  r.bpm = bpm;
  r.seconds = seconds;
  return r;
}

TEST(MusicAnalysis, FindsTheTempoBeatsAndHitsOfClickTracks) {
  ClickTrackRecipe eighths = recipe(140, 40), swing = recipe(100, 40), glide = recipe(118, 60),
                   late = recipe(95, 30), early = recipe(100, 20), loud = recipe(87, 40),
                   rate = recipe(87, 40);
  eighths.offbeat = 0.5;
  swing.offbeat = 2.0 / 3.0;
  glide.endBpm = 126;  // about 122 on average
  late.firstBeat = 1.3;
  early.firstBeat = 0.35;  // less than a period in
  early.noise = 0.0f;
  loud.noise = 0.2;
  rate.sampleRate = 48000;
  const struct {
    std::string name;
    ClickTrackRecipe recipe;
    double bpm, tolerance;
    std::size_t beats;
  } cases[] = {
      {"87 BPM", recipe(87, 40), 87, 0.5, 58},
      {"140 BPM in eighths", eighths, 140, 0.5, 94},
      {"100 BPM swung", swing, 100, 0.5, 67},
      {"118 to 126 BPM", glide, 122, 1.0, 122},
      {"95 BPM after 1.3 s of noise", late, 95, 0.5, 46},
      {"100 BPM after 0.35 s of silence", early, 100, 0.5, 33},
      {"62 BPM", recipe(62, 40), 62, 0.5, 42},
      {"165 BPM", recipe(165, 30), 165, 0.5, 83},
      {"87 BPM in loud noise", loud, 87, 0.5, 58},
      {"87 BPM at 48 kHz", rate, 87, 0.5, 58},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ClickTrack track = makeClickTrack(c.recipe);
    ASSERT_EQ(track.beats.size(), c.beats);
    const MusicAnalysis analysis = analyse(track.samples, c.recipe.sampleRate);
    EXPECT_NEAR(analysis.bpm, c.bpm, c.tolerance);
    ASSERT_NEAR(static_cast<double>(analysis.beats.size()), static_cast<double>(c.beats), 1.0);
    EXPECT_NEAR(analysis.beats.front(), track.beats.front(), 0.02);  // from the first click
    EXPECT_NEAR(analysis.beats.back(), track.beats.back(), 0.02);    // to the last
    EXPECT_GE(shareNear(track.beats, analysis.beats), 0.95);
    EXPECT_GE(shareNear(analysis.beats, track.beats), 0.95);
    EXPECT_EQ(shareNear(track.hits, onsetTimes(analysis)), 1.0);
    EXPECT_EQ(*std::max_element(analysis.onsetCurve.begin(), analysis.onsetCurve.end()), 1.0f);
  }
}

TEST(MusicAnalysis, TheChannelsAreMixedAndTheCurveCoversTheMusic) {
  const ClickTrack track = makeClickTrack(recipe(110, 15));
  std::vector<float> stereo;
  for (float sample : track.samples) stereo.insert(stereo.end(), {sample, sample});
  const MusicAnalysis mono = analyse(track.samples);
  const MusicAnalysis both = analyseMusic(stereo.data(), track.samples.size(), 2, 44100);
  EXPECT_EQ(both.onsetCurve, mono.onsetCurve);
  EXPECT_EQ(both.beats, mono.beats);
  EXPECT_DOUBLE_EQ(mono.hopSeconds, 0.01);
  EXPECT_EQ(mono.onsetCurve.size(), 1500u);
}

// Nothing to find: no tempo, no beats, at most the onset of the noise's start.
TEST(MusicAnalysis, SilenceNoiseAndTooLittleMusicGiveNoBeats) {
  ClickTrackRecipe noise = recipe(100, 10), tooShort = recipe(120, 0.25);
  noise.firstBeat = 1000;  // never
  const std::vector<float> samples[] = {std::vector<float>(441000, 0.0f), makeClickTrack(noise).samples,
                                        makeClickTrack(tooShort).samples};
  for (const std::vector<float>& music : samples) {
    const MusicAnalysis analysis = analyse(music);
    EXPECT_EQ(analysis.bpm, 0.0) << music.size();
    EXPECT_TRUE(analysis.beats.empty()) << music.size();
    EXPECT_LE(analysis.onsets.size(), 1u) << music.size();
  }
  const float one = 0.5f;
  EXPECT_TRUE(analyseMusic(&one, 0, 1, 44100).onsetCurve.empty());
  EXPECT_TRUE(analyseMusic(&one, 1, 0, 44100).onsetCurve.empty());
  EXPECT_TRUE(analyseMusic(&one, 1, 1, 0).onsetCurve.empty());
}

}  // namespace
}  // namespace quintaval
