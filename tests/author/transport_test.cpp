// The transport over a music clock without music, which keeps time by a hand-set source:
// pause, resume, seeks and the loop region, as the author's keys drive them.
#include "author/transport.h"

#include <gtest/gtest.h>

#include "platform/audio/audio_output.h"
#include "support/recording_reporter.h"
#include "playback/music_clock.h"

namespace quintaval {
namespace {

class HandSetTime : public TimeSource {
 public:
  std::int64_t nowNs() const override { return ns; }
  void advance(double seconds) { ns += static_cast<std::int64_t>(seconds * 1e9); }
  std::int64_t ns = 1'000'000'000;
};

class TransportTest : public ::testing::Test {
 protected:
  // "Bass file loading failed!": time runs on the hand-set source.
  void SetUp() override { clock.start(std::shared_ptr<const DecodedMusic>(), false); }

  testing::RecordingReporter reporter;
  AudioOutput output;
  HandSetTime time;
  MusicClock clock{output, time};
  Transport transport{clock};
};

TEST_F(TransportTest, PauseHoldsTimeAndResumeGoesOnFromThere) {
  time.advance(2.0);
  transport.togglePause();
  EXPECT_TRUE(clock.paused());
  time.advance(5.0);
  EXPECT_DOUBLE_EQ(clock.seconds(), 2.0);
  transport.seekBy(1.0);  // seeking while paused moves the paused time
  EXPECT_DOUBLE_EQ(clock.seconds(), 3.0);
  transport.togglePause();
  time.advance(0.5);
  EXPECT_DOUBLE_EQ(clock.seconds(), 3.5);
}

TEST_F(TransportTest, SeeksStopAtZero) {
  time.advance(4.0);
  transport.seekBy(-10.0);
  EXPECT_DOUBLE_EQ(clock.seconds(), 0.0);
  transport.seekTo(40.0);
  time.advance(0.25);
  EXPECT_DOUBLE_EQ(clock.seconds(), 40.25);
}

TEST_F(TransportTest, LoopRegionSendsTimeBackToItsStart) {
  transport.seekTo(10.0);
  transport.markLoopStart();
  time.advance(2.0);
  transport.markLoopEnd();
  ASSERT_TRUE(transport.loop().active());
  time.advance(1.0);  // 13 s: past the end
  EXPECT_TRUE(transport.update());
  EXPECT_DOUBLE_EQ(clock.seconds(), 10.0);
  time.advance(1.5);
  EXPECT_FALSE(transport.update());
  transport.seekTo(5.0);  // a seek out of the region comes back to its start
  EXPECT_DOUBLE_EQ(clock.seconds(), 10.0);

  // Backspace drops the region; a start at or after the end drops the end.
  transport.clearLoop();
  EXPECT_FALSE(transport.loop().start);
  transport.seekTo(11.0);
  transport.markLoopEnd();
  transport.seekTo(11.5);
  transport.markLoopStart();
  EXPECT_FALSE(transport.loop().active());
  EXPECT_FALSE(transport.loop().end);
}

}  // namespace
}  // namespace quintaval
