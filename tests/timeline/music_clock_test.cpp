// The music clock on SDL's dummy driver (the test environment sets SDL_AUDIODRIVER), which
// consumes samples in real time: start, rate, smoothness, looping, and the failures with
// their exact messages. The music is an MP3 made by the test.
#include "timeline/music_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "tone_mp3.h"

namespace quintaval {
namespace {

using WallClock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using testing::RecordingReporter;

double wallSeconds(WallClock::time_point since) {
  return std::chrono::duration<double>(WallClock::now() - since).count();
}

class MusicClockTest : public ::testing::Test {
 protected:
  std::string toneFile(double seconds, double frequency = 1000.0) {
    testing::ToneSpec tone;
    tone.seconds = seconds;
    tone.frequency = frequency;
    return dir_.write("tone" + std::to_string(files_++) + ".mp3", testing::encodeToneMp3(tone))
        .string();
  }

  // Waits until the clock has left 0 (the device's first buffer is being heard).
  void waitForStart(const MusicClock& clock) {
    const auto begin = WallClock::now();
    while (clock.seconds() == 0.0 && wallSeconds(begin) < 2.0) {
      std::this_thread::sleep_for(milliseconds(1));
    }
    ASSERT_GT(clock.seconds(), 0.0);
  }

  testing::TempDir dir_;
  int files_ = 0;
};

TEST_F(MusicClockTest, StartsNearZeroAndKeepsWallClockRate) {
  RecordingReporter reporter;
  MusicClock clock;
  clock.start(toneFile(4.0), false);
  EXPECT_TRUE(reporter.messages().empty());
  EXPECT_TRUE(clock.hasMusic());
  EXPECT_LT(clock.seconds(), 0.05);
  waitForStart(clock);
  EXPECT_LT(clock.seconds(), 0.1);

  std::this_thread::sleep_for(milliseconds(300));
  const auto wall = WallClock::now();
  const double first = clock.seconds();
  std::this_thread::sleep_for(milliseconds(2000));
  const double elapsedWall = wallSeconds(wall);
  const double elapsedMusic = clock.seconds() - first;
  EXPECT_NEAR(elapsedMusic / elapsedWall, 1.0, 0.02);

  // The row is the same reading times 14, unrounded.
  const double seconds = clock.seconds();
  const double row = clock.syncRow();
  EXPECT_NEAR(row / kRowsPerSecond, seconds, 0.005);
  EXPECT_NE(row, std::floor(row));
  EXPECT_NEAR(clock.musicTime(), seconds, 0.005);
}

TEST_F(MusicClockTest, ReadsOneMillisecondApartAlwaysAdvance) {
  // Both ways of keeping time: the steady clock (what the dummy driver gets) and the
  // smoothed device callbacks (what a sound card gets).
  for (bool followCallbacks : {false, true}) {
    MusicClock clock;
    clock.followDummyCallbacks(followCallbacks);
    clock.start(toneFile(3.0), false);
    waitForStart(clock);
    double last = clock.seconds();
    auto lastWall = WallClock::now();
    double worst = 0.0;
    for (int i = 0; i < 1000; ++i) {
      std::this_thread::sleep_for(milliseconds(1));
      const double now = clock.seconds();
      const auto nowWall = WallClock::now();
      ASSERT_GT(now, last) << i << " " << followCallbacks;
      // No stair steps: each reading moves with the wall clock, never by a buffer's
      // worth (23 ms) at once, however late this thread was woken.
      const double wall = std::chrono::duration<double>(nowWall - lastWall).count();
      worst = std::max(worst, std::fabs((now - last) - wall));
      last = now;
      lastWall = nowWall;
    }
    EXPECT_LT(worst, 0.005) << followCallbacks;
  }
}

TEST_F(MusicClockTest, LoopingWrapsToZeroAndNonLoopingRunsOn) {
  MusicClock looping;
  looping.start(toneFile(0.5), true);
  waitForStart(looping);
  double last = looping.seconds();
  double highest = last;
  bool wrapped = false;
  const auto begin = WallClock::now();
  while (wallSeconds(begin) < 1.2) {
    std::this_thread::sleep_for(milliseconds(2));
    const double now = looping.seconds();
    highest = std::max(highest, now);
    if (now < last) {
      wrapped = true;
      EXPECT_GT(last, 0.45);
      EXPECT_LT(now, 0.05);
    }
    last = now;
  }
  EXPECT_TRUE(wrapped);
  EXPECT_LT(highest, 0.5 + 1e-6);
  looping.stop();
  EXPECT_EQ(looping.seconds(), 0.0);

  // A piece that does not loop ends in silence while its time goes on, so the demo's
  // end time is reached even with short music.
  MusicClock once;
  once.start(toneFile(0.3), false);
  waitForStart(once);
  std::this_thread::sleep_for(milliseconds(600));
  EXPECT_GT(once.seconds(), 0.5);
}

TEST_F(MusicClockTest, SpectrumIsTheMusicAtTheCurrentPosition) {
  MusicClock clock;
  float bins[kSpectrumBins];
  std::fill(bins, bins + kSpectrumBins, -1.0f);
  clock.fetchSpectrum(bins);  // not started
  EXPECT_EQ(*std::max_element(bins, bins + kSpectrumBins), 0.0f);

  clock.start(toneFile(2.0, 100.0 * 44100 / kSpectrumWindow), false);
  waitForStart(clock);
  std::this_thread::sleep_for(milliseconds(200));
  clock.fetchSpectrum(bins);
  EXPECT_EQ(std::max_element(bins, bins + kSpectrumBins) - bins, 100);
  EXPECT_NEAR(bins[100], 0.5f, 0.05f);
}

TEST_F(MusicClockTest, MissingOrUndecodableMusicPlaysSilentlyOnTheSteadyClock) {
  for (const std::string& path :
       {(dir_.path() / "Data/Sound/Musica.mp3").string(), dir_.write("bad.mp3", "not music").string()}) {
    RecordingReporter reporter;
    MusicClock clock;
    const auto started = WallClock::now();
    clock.start(path, true);
    EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Bass file loading failed!"});
    EXPECT_FALSE(clock.hasMusic());
    EXPECT_TRUE(clock.playingWithoutMusic());
    std::this_thread::sleep_for(milliseconds(100));
    const double seconds = clock.seconds();
    EXPECT_GE(seconds, 0.1);
    EXPECT_LE(seconds, wallSeconds(started));
    float bins[kSpectrumBins];
    clock.fetchSpectrum(bins);
    EXPECT_EQ(*std::max_element(bins, bins + kSpectrumBins), 0.0f);
    clock.stop();
    EXPECT_EQ(clock.seconds(), 0.0);
  }
}

TEST_F(MusicClockTest, WithoutAnOutputDevicePlaysSilentlyAndTimeStillAdvances) {
  const std::string music = toneFile(2.0);
  const char* previous = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = previous ? previous : "";
  // A driver that does not exist stands for a machine without sound.
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  {
    RecordingReporter reporter;
    MusicClock clock;
    clock.start(music, false);
    EXPECT_EQ(reporter.messages(),
              std::vector<std::string>{"Bass init failed! Remembered the bass.dll file?"});
    EXPECT_TRUE(clock.playingSilently());
    waitForStart(clock);
    const double first = clock.seconds();
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_NEAR(clock.seconds() - first, 0.3, 0.05);
  }
  {
    RecordingReporter reporter;
    MusicClock clock;
    clock.start((dir_.path() / "missing.mp3").string(), false);
    EXPECT_EQ(reporter.messages(),
              (std::vector<std::string>{"Bass init failed! Remembered the bass.dll file?",
                                        "Bass file loading failed!"}));
  }
  if (saved.empty()) {
    unsetenv("SDL_AUDIODRIVER");
  } else {
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  }
}

}  // namespace
}  // namespace quintaval
