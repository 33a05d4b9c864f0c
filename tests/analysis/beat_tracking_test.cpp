// The beats an author's tempo and offset give, and the tempo a list of beats keeps.
#include "analysis/beat_tracking.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace quintaval {
namespace {

TEST(BeatsAtTempo, CoverTheMusicFromZeroToBeforeItsEndOnTheOffsetsGrid) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double bpm, offset, length;
    std::vector<double> beats;
  } cases[] = {
      {120, 0.25, 2.0, {0.25, 0.75, 1.25, 1.75}},
      {120, 0.0, 1.0, {0.0, 0.5}},             // not at the end itself
      {120, -0.1, 1.0, {0.4, 0.9}},            // a grid that started before the music
      {60, 5.0, 3.0, {0.0, 1.0, 2.0}},         // or starts after its start
      {90, 0.0, 0.0, {}},
      {0, 0.0, 10.0, {}},
      {-120, 0.0, 10.0, {}},
      {nan, 0.0, 10.0, {}},
      {120, nan, 10.0, {}},
  };
  for (const auto& c : cases) {
    const std::vector<double> beats = beatsAtTempo(c.bpm, c.offset, c.length);
    ASSERT_EQ(beats.size(), c.beats.size()) << c.bpm << " " << c.offset << " " << c.length;
    for (std::size_t i = 0; i < beats.size(); ++i) EXPECT_NEAR(beats[i], c.beats[i], 1e-9);
  }
  // Counted from the offset, not added up beat by beat.
  const std::vector<double> long_ = beatsAtTempo(129, 0.01, 600);
  EXPECT_NEAR(long_.back(), 0.01 + (long_.size() - 1) * 60.0 / 129, 1e-9);
  // An offset a million periods away is the same grid.
  EXPECT_NEAR(beatsAtTempo(120, 5e5 + 0.3, 1)[0], 0.3, 1e-6);
}

TEST(TempoOfBeats, IsTheSlopeThroughTheBeatsCountingASkippedBeatAsTwo) {
  const struct {
    std::string name;
    std::vector<double> beats;
    double bpm;
  } cases[] = {
      {"steady", {1.0, 1.5, 2.0, 2.5, 3.0}, 120},
      {"one skipped", {1.0, 1.5, 2.5, 3.0, 3.5}, 120},
      {"jittered", {0.0, 0.51, 0.99, 1.5, 2.01, 2.49, 3.0}, 120},
      {"two beats", {0.2, 0.9}, 60 / 0.7},
      {"one beat", {0.2}, 0},
      {"none", {}, 0},
  };
  for (const auto& c : cases) EXPECT_NEAR(tempoOfBeats(c.beats), c.bpm, 0.5) << c.name;
}

}  // namespace
}  // namespace quintaval
