// The music clock on a fake device and a hand-set time: start, pace, smoothness, looping,
// the spectrum, and the failures with their exact messages in their order. One check plays
// a real file through SDL's dummy driver (as the test environment sets it) on the steady clock.
#include "playback/music_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "timeline/frame_time.h"
#include "tone_mp3.h"

namespace quintaval {
namespace {

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
    return {true, std::uint64_t(k * kBuffer), kBuffer, startNs + k * kBuffer * kSecond / rate};
  }

  std::int64_t ns = 7 * kSecond, startNs = 0, rate = 0;  // ns not 0: play starts at 7 s
  Opened opened = Opened::kDevice;
  bool rewinds = true, plays = true, openNow = false, playing = false;
};

// A music clock on a fake device that opens the given way.
struct Rig : FakeDevice {
  explicit Rig(Opened way) { opened = way; }
  MusicClock clock{*this, *this};
};

// Stereo music: a half-scale sine on spectrum bin `firstBin` for one second, then on `laterBin`.
std::shared_ptr<const DecodedMusic> sineMusic(double seconds, int firstBin = 20, int laterBin = 20) {
  auto music = std::make_shared<DecodedMusic>(DecodedMusic{kRate, 2, {}});
  for (int i = 0; i < static_cast<int>(seconds * kRate); ++i) {
    const int bin = i < kRate ? firstBin : laterBin;
    const float s = static_cast<float>(0.5 * std::sin(2.0 * M_PI * bin * i / kSpectrumWindow));
    music->samples.insert(music->samples.end(), {s, s});
  }
  return music;
}

// The loudest bin of the clock's spectrum now, and its magnitude.
std::pair<int, float> loudest(const MusicClock& clock) {
  const FrameTime time = FrameTime::read(clock);
  const auto peak = std::max_element(time.spectrum.begin(), time.spectrum.end());
  return {static_cast<int>(peak - time.spectrum.begin()), *peak};
}

// For each way of keeping time: a device's callbacks, smoothed (heard a buffer late), and
// the dummy driver, on the time source from the start of play.
TEST(MusicClock, StartsAtZeroThenFollowsTheTimeSmoothlyLoopingOrRunningOnPastTheEnd) {
  for (Opened way : {Opened::kDevice, Opened::kDummyDriver}) {
    SCOPED_TRACE(way == Opened::kDevice ? "device" : "dummy driver");
    testing::RecordingReporter reporter;
    Rig rig(way), looping(way);
    rig.clock.start(sineMusic(4.0, 20, 100), false);
    EXPECT_EQ(reporter.messages().empty(), way == Opened::kDevice);  // texts: below
    looping.clock.start(sineMusic(0.5), true);
    double last = rig.clock.seconds();
    EXPECT_EQ(last, 0.0);
    for (int ms = 1; ms <= 5000; ++ms) {
      rig.ns += kMs;
      looping.ns += kMs;
      const double now = rig.clock.seconds();
      ASSERT_GE(now, last) << ms;
      // Looping, the same time wraps to 0 at the end of the music.
      ASSERT_EQ(looping.clock.seconds(), std::fmod(now, 0.5)) << ms;
      // The spectrum is the music's at the position.
      if (ms == 500 || ms == 1500) {
        EXPECT_EQ(loudest(rig.clock).first, ms < 1000 ? 20 : 100);
        EXPECT_NEAR(loudest(rig.clock).second, 0.5f, 0.01f);
      }
      // Once heard, a millisecond apart is a millisecond of music, never a buffer at once.
      if (ms > 100) { ASSERT_NEAR(now - last, 0.001, 1e-6) << ms; }
      last = now;
    }
    // Past the end of the music time runs on, so the demo's end is reached with short music.
    EXPECT_NEAR(last, way == Opened::kDevice ? 5.0 - double(kBuffer) / kRate : 5.0, 1e-4);
  }
}

// Without music (a missing or undecodable file, or none decoded) the show plays silently
// on the time source; with music that cannot start, time stands at 0 or follows the
// dummy driver. Stopping always brings the time back to 0.
TEST(MusicClock, EachFailedStepIsReportedInTheUsualOrderAndTheShowGoesOn) {
  testing::TempDir dir;
  dir.write("bad.mp3", "not music");
  const struct {
    const char* file;  // in `dir`; none: decoded music of `seconds`
    double seconds;
    Opened opened;
    bool rewinds, plays, loop;
    std::vector<std::string> messages;
    double at130;  // the reading 130 s later
  } cases[] = {
      {"Data/Sound/Musica.mp3", 0.0, Opened::kDevice, true, true, true, {kLoad}, 130.0 - kDemoSeconds},
      {"bad.mp3", 0.0, Opened::kDevice, true, true, false, {kLoad}, 130.0},
      {nullptr, 0.0, Opened::kDummyDriver, true, true, false, {kInit, kLoad}, 130.0},
      {nullptr, 1.0, Opened::kFailed, true, true, false, {kInit, kPlay}, 0.0},
      {nullptr, 1.0, Opened::kDevice, false, false, false, {kPlay, kRewind}, 0.0},
      {nullptr, 1.0, Opened::kDummyDriver, false, true, false, {kInit, kRewind}, 130.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.messages.back() + " " + (c.file ? c.file : ""));
    testing::RecordingReporter reporter;
    Rig rig(c.opened);
    rig.rewinds = c.rewinds;
    rig.plays = c.plays;
    const std::string path = c.file ? (dir.path() / c.file).string() : "";
    ::testing::internal::CaptureStderr();
    if (c.file) rig.clock.start(path, c.loop);
    else rig.clock.start(sineMusic(c.seconds), c.loop);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(reporter.messages(), c.messages);
    // Standard error names the file after the message, and the decoder's reason after it.
    if (c.file) { EXPECT_NE(errors.find("ERROR: " + kLoad + " " + path + ": "), std::string::npos) << errors; }
    EXPECT_EQ((rig.clock.music() != nullptr), c.seconds > 0.0 && c.opened != Opened::kFailed);
    EXPECT_EQ(rig.clock.seconds(), 0.0);
    rig.ns += 130 * kSecond;
    EXPECT_NEAR(rig.clock.seconds(), c.at130, 1e-9);
    if (!(rig.clock.music() != nullptr)) { EXPECT_EQ(loudest(rig.clock).second, 0.0f); }
    rig.clock.stop();
    EXPECT_EQ(rig.clock.seconds(), 0.0);
  }
}

TEST(MusicClock, ByDefaultPlaysAFileThroughSdlOnTheSteadyClock) {
  testing::TempDir dir;
  testing::RecordingReporter reporter;
  MusicClock clock;
  const auto before = std::chrono::steady_clock::now();
  clock.start(dir.write("tone.mp3", testing::encodeToneMp3()).string(), false);
  EXPECT_TRUE(reporter.messages().empty());
  const double seconds = clock.seconds();
  EXPECT_GT(seconds, 0.0);
  EXPECT_LE(seconds, std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count());
}

}  // namespace
}  // namespace quintaval
