// The music clock on a fake device and a hand-set time: start, pace, smoothness, looping,
// the spectrum, and the failures with their exact messages in their order, for each way
// of keeping time. One check plays a real file through SDL's dummy driver (the test
// environment sets SDL_AUDIODRIVER) on the steady clock.
#include "timeline/music_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "tone_mp3.h"

namespace quintaval {
namespace {

using testing::RecordingReporter;
using Opened = AudioSink::OpenResult;

constexpr int kRate = 44100;
constexpr int kBuffer = 1024;
constexpr std::int64_t kMs = 1000000;
constexpr std::int64_t kSecond = 1000 * kMs;
const std::string kInit = "Bass init failed! Remembered the bass.dll file?";
const std::string kLoad = "Bass file loading failed!";
const std::string kPlay = "Music failed to play!";
const std::string kRewind = "Failed to start song at the start";

// An output device and the time it runs on, set by hand. Once playing, the device asks
// for a buffer every kBuffer frames and plays it kBuffer frames later. Like SDL's, it
// rewinds only while paused. Each step can be made to fail.
struct FakeDevice : AudioSink, TimeSource {
  std::int64_t nowNs() const override { return ns; }
  bool deviceAvailable() const override { return opened == Opened::kDevice; }
  Opened open(std::shared_ptr<const DecodedMusic> music, bool) override {
    rate = music->sampleRate;
    openNow = opened != Opened::kFailed;
    return opened;
  }
  bool rewind() override { return rewinds && !playing; }
  bool play() override { startNs = ns; return playing = plays; }
  void close() override { openNow = playing = false; }
  bool isOpen() const override { return openNow; }
  bool onDummyDriver() const override { return opened == Opened::kDummyDriver; }
  std::int64_t playStartNs() const override { return startNs; }
  int latencyFrames() const override { return kBuffer; }
  AudioAnchor anchor() const override {
    if (!playing) return {};
    const std::int64_t k = (ns - startNs) * rate / (kBuffer * kSecond);
    return {true, static_cast<std::uint64_t>(k * kBuffer), kBuffer, startNs + k * kBuffer * kSecond / rate};
  }

  std::int64_t ns = 7 * kSecond, startNs = 0, rate = 0;  // ns not 0: play starts at 7 s
  Opened opened = Opened::kDevice;
  bool rewinds = true, plays = true, openNow = false, playing = false;
};

// The two ways of keeping time: a device's callbacks, smoothed (heard a buffer late), and
// the dummy driver, on the time source from the start of play.
const Opened kWays[] = {Opened::kDevice, Opened::kDummyDriver};
double lagSeconds(Opened way) { return way == Opened::kDevice ? double(kBuffer) / kRate : 0.0; }

struct Rig {
  explicit Rig(Opened way = Opened::kDevice) { fake.opened = way; }
  FakeDevice fake;
  MusicClock clock{fake, fake};
};

// Stereo music: a half-scale sine on spectrum bin `firstBin` for one second, then on `laterBin`.
std::shared_ptr<const DecodedMusic> sineMusic(double seconds, int firstBin = 20, int laterBin = 20) {
  auto music = std::make_shared<DecodedMusic>();
  music->sampleRate = kRate;
  music->channels = 2;
  for (int i = 0; i < static_cast<int>(seconds * kRate); ++i) {
    const int bin = i < kRate ? firstBin : laterBin;
    const float s = static_cast<float>(0.5 * std::sin(2.0 * M_PI * bin * i / kSpectrumWindow));
    music->samples.insert(music->samples.end(), {s, s});
  }
  return music;
}

// The loudest bin of the clock's spectrum now, and its magnitude.
std::pair<int, float> loudest(const MusicClock& clock) {
  float bins[kSpectrumBins];
  std::fill(bins, bins + kSpectrumBins, -1.0f);
  clock.fetchSpectrum(bins);
  const int bin = static_cast<int>(std::max_element(bins, bins + kSpectrumBins) - bins);
  return {bin, bins[bin]};
}

TEST(MusicClock, StartsAtZeroThenFollowsTheTimeSourceWithoutStepsAndRunsOnPastTheEnd) {
  for (Opened way : kWays) {
    SCOPED_TRACE(way == Opened::kDevice ? "device" : "dummy driver");
    RecordingReporter reporter;
    Rig rig(way);
    rig.clock.start(sineMusic(4.0, 20, 100), false);
    EXPECT_EQ(reporter.messages().empty(), way == Opened::kDevice);  // texts: below
    double last = rig.clock.seconds();
    EXPECT_EQ(last, 0.0);
    for (int ms = 1; ms <= 5000; ++ms) {
      rig.fake.ns += kMs;
      const double now = rig.clock.seconds();
      ASSERT_GE(now, last) << ms;
      // The spectrum is the music's at the position.
      if (ms == 500 || ms == 1500) {
        EXPECT_EQ(loudest(rig.clock).first, ms < 1000 ? 20 : 100);
        EXPECT_NEAR(loudest(rig.clock).second, 0.5f, 0.01f);
      }
      // Once heard, a millisecond apart is a millisecond of music, never a buffer at once.
      if (ms > 100) {
        ASSERT_NEAR(now - last, 0.001, 1e-6) << ms;
      }
      last = now;
    }
    // Past the end of the music time runs on, so the demo's end is reached with short music.
    EXPECT_NEAR(last, 5.0 - lagSeconds(way), 1e-4);
  }
}

TEST(MusicClock, LoopingWrapsToZeroAtTheEndOfTheMusic) {
  for (Opened way : kWays) {
    SCOPED_TRACE(way == Opened::kDevice ? "device" : "dummy driver");
    Rig looping(way);
    looping.clock.start(sineMusic(0.5), true);
    double last = 0.0;
    int wraps = 0;
    for (int ms = 2; ms <= 1200; ms += 2) {
      looping.fake.ns += 2 * kMs;
      const double now = looping.clock.seconds();
      ASSERT_LT(now, 0.5);
      if (now < last) {
        ++wraps;
        EXPECT_GT(last, 0.497);
        EXPECT_LT(now, 0.003);
      }
      last = now;
    }
    EXPECT_EQ(wraps, 2);
    looping.clock.stop();
    EXPECT_EQ(looping.clock.seconds(), 0.0);
  }
}

TEST(MusicClock, WithoutMusicTheShowPlaysSilentlyOnTheTimeSource) {
  testing::TempDir dir;
  const struct {
    std::string path;
    bool loop;
    double at130;  // the reading after 130 s
  } cases[] = {{(dir.path() / "Data/Sound/Musica.mp3").string(), true, 130.0 - kDemoSeconds},
               {dir.write("bad.mp3", "not music").string(), false, 130.0}};
  for (const auto& c : cases) {
    RecordingReporter reporter;
    Rig rig;
    rig.clock.start(c.path, c.loop);
    EXPECT_EQ(reporter.messages(), std::vector<std::string>{kLoad});
    EXPECT_EQ(rig.clock.seconds(), 0.0);
    rig.fake.ns += 130 * kSecond;
    EXPECT_NEAR(rig.clock.seconds(), c.at130, 1e-9) << c.path;
    EXPECT_EQ(loudest(rig.clock).second, 0.0f);
    rig.clock.stop();
    EXPECT_EQ(rig.clock.seconds(), 0.0);
  }
}

TEST(MusicClock, EachFailedStepIsReportedInTheUsualOrder) {
  const struct {
    bool music;
    Opened opened;
    bool rewinds, plays;
    std::vector<std::string> messages;
  } cases[] = {{false, Opened::kDummyDriver, true, true, {kInit, kLoad}},  // empty music
               {true, Opened::kFailed, true, true, {kInit, kPlay}},
               {true, Opened::kDevice, false, false, {kPlay, kRewind}},
               {true, Opened::kDummyDriver, false, true, {kInit, kRewind}}};
  for (const auto& c : cases) {
    RecordingReporter reporter;
    Rig rig;
    rig.fake.opened = c.opened;
    rig.fake.rewinds = c.rewinds;
    rig.fake.plays = c.plays;
    rig.clock.start(sineMusic(c.music ? 1.0 : 0.0), false);
    EXPECT_EQ(reporter.messages(), c.messages);
    EXPECT_EQ(rig.clock.hasMusic(), c.music && c.opened != Opened::kFailed);
  }
}

TEST(MusicClock, ByDefaultPlaysAFileThroughSdlOnTheSteadyClock) {
  testing::TempDir dir;
  RecordingReporter reporter;
  MusicClock clock;
  const auto before = std::chrono::steady_clock::now();
  clock.start(dir.write("tone.mp3", testing::encodeToneMp3({})).string(), false);
  EXPECT_TRUE(reporter.messages().empty());
  const double seconds = clock.seconds();
  EXPECT_GT(seconds, 0.0);
  EXPECT_LE(seconds, std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count());
}

}  // namespace
}  // namespace quintaval
