// The music's beats in author mode: found on a worker for each music the demo plays, or
// made from the author's tempo; jumps to the next or previous one and snapping to the
// nearest row.
#include "author/music_beats.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "click_track.h"

namespace quintaval {
namespace {

std::shared_ptr<const DecodedMusic> clicks(double bpm) {
  testing::ClickTrackRecipe recipe;
  recipe.bpm = bpm;
  recipe.seconds = 12.0;
  const testing::ClickTrack track = testing::makeClickTrack(recipe);
  auto music = std::make_shared<DecodedMusic>();
  music->sampleRate = track.sampleRate;
  music->channels = 1;
  music->samples = track.samples;
  return music;
}

// Updates until an analysis arrives (a few seconds at most on a slow machine) and returns
// the note on it; empty when none came.
std::string waitForBeats(MusicBeats& beats, const std::shared_ptr<const DecodedMusic>& music) {
  std::string note;
  for (int i = 0; i < 3000; ++i) {
    if (beats.update(music, note)) return note;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return {};
}

TEST(MusicBeats, FindsTheBeatsOfEachMusicItIsGiven) {
  MusicBeats beats(std::nullopt);
  EXPECT_TRUE(beats.marks()->beats.empty());
  const auto first = clicks(120.0);
  EXPECT_EQ(waitForBeats(beats, first).substr(0, 19), "beats: 120.0 BPM, 2");
  EXPECT_NEAR(beats.marks()->beats[1] - beats.marks()->beats[0], 0.5, 0.02);
  EXPECT_FALSE(beats.marks()->onsetTimes.empty());
  std::string note;
  EXPECT_FALSE(beats.update(first, note));  // the same music is not analysed again

  // A reloaded music (another object, another tempo) is.
  waitForBeats(beats, clicks(90.0));
  EXPECT_NEAR(beats.marks()->bpm, 90.0, 0.5);
}

TEST(MusicBeats, TheAuthorsTempoGivesTheBeats) {
  MusicBeats beats(GivenTempo{60.0, 0.25});
  EXPECT_EQ(waitForBeats(beats, clicks(120.0)).substr(0, 42), "beats: 60 BPM from --bpm (offset 0.25 s), ");
  const std::vector<double>& times = beats.marks()->beats;
  ASSERT_EQ(times.size(), 12u);  // 0.25 to 11.25 in 12 s of music
  EXPECT_DOUBLE_EQ(times[0], 0.25);
  EXPECT_DOUBLE_EQ(times[11], 11.25);
}

TEST(MusicBeats, JumpsAndSnaps) {
  const std::vector<double> times = {0.5, 1.0, 40.5};
  const struct {
    double from;
    int direction;
    std::optional<double> to;
  } jumps[] = {
      {40.2, 1, 40.5}, {40.2, -1, 1.0}, {1.0, 1, 40.5},   // from a beat, the next one
      {1.0004, -1, 0.5}, {40.5, 1, std::nullopt}, {0.5, -1, std::nullopt},
  };
  for (const auto& jump : jumps) {
    EXPECT_EQ(neighbourTime(times, jump.from, jump.direction), jump.to) << jump.from << " " << jump.direction;
  }
  EXPECT_EQ(snapToNearest(times, 11), 14);  // 0.79 s: 1.0 s is nearer than 0.5 s
  EXPECT_EQ(snapToNearest(times, 9), 7);
  EXPECT_EQ(snapToNearest(times, 9000), 567);
  EXPECT_EQ(snapToNearest({}, 9), 9);
}

}  // namespace
}  // namespace quintaval
