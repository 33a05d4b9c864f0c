// The smooth clock fed with synthetic callback stamps: jittery buffer requests, a stall
// and a late start, checked for the properties the demo relies on.
#include "playback/playback_smoother.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace quintaval {
namespace {

constexpr int kRate = 44100;
constexpr int kBuffer = 1024;
constexpr std::int64_t kMs = 1000000;
constexpr std::int64_t kBufferNs = static_cast<std::int64_t>(1e9 * kBuffer / kRate);

TEST(PlaybackSmoother, SmoothMonotonicAndTrueToTheDeviceUnderJitter) {
  // A device that asks for a buffer every kBuffer frames of real time, each request up to
  // 4 ms early or late.
  std::mt19937 random{7};
  std::uniform_real_distribution<double> jitterMs(-4.0, 4.0);
  AudioAnchor anchor;
  std::int64_t nextCallNs = 0;
  PlaybackSmoother smoother;
  double last = 0.0, worstStep = 0.0;
  for (std::int64_t now = 0, handed = 0; now <= 20000 * kMs; now += kMs) {
    for (; nextCallNs <= now; handed += kBuffer) {
      anchor = AudioAnchor{true, static_cast<std::uint64_t>(handed), kBuffer, nextCallNs};
      const std::int64_t scheduleNs = (handed / kBuffer + 1) * kBufferNs;
      nextCallNs = std::max(nextCallNs + 1, scheduleNs + std::int64_t(jitterMs(random) * kMs));
    }
    const double position = smoother.positionAt(anchor, kBuffer, kRate, now);
    ASSERT_GE(position, last) << now;
    if (now > 1000 * kMs) {
      // 1 ms apart: always about 44.1 frames, never a buffer-sized stair step.
      worstStep = std::max(worstStep, std::fabs(position - last - kRate / 1000.0));
      // Close to what is heard: the frames of the device's own schedule.
      const double heard = static_cast<double>(now) * 1e-9 * kRate - kBuffer;
      ASSERT_NEAR(position, heard, 0.01 * kRate) << now;
    }
    last = position;
  }
  EXPECT_LT(worstStep, 0.1 * kRate / 1000.0);  // within 10 % of a millisecond's worth
}

TEST(PlaybackSmoother, HoldsZeroUntilHeardStandsStillInAStallAndResumesWithoutJumpingBack) {
  PlaybackSmoother smoother;
  EXPECT_EQ(smoother.positionAt(AudioAnchor{}, kBuffer, kRate, 5 * kMs), 0.0);  // no request yet
  std::uint64_t frame = 0;
  std::int64_t now = 0;
  double last = 0.0;
  // Reads every millisecond until `until`, with `anchor` the latest request.
  auto readUntil = [&](AudioAnchor anchor, std::int64_t until) {
    for (; now < until; now += kMs) {
      const double position = smoother.positionAt(anchor, kBuffer, kRate, now);
      ASSERT_GE(position, last);
      last = position;
    }
  };
  // A hundred buffers requested on time from `from` on.
  auto playFrom = [&](std::int64_t from) {
    for (int i = 0; i < 100; ++i, frame += kBuffer) {
      readUntil(AudioAnchor{true, frame, kBuffer, from + i * kBufferNs}, from + (i + 1) * kBufferNs);
      // The device plays its initial queue before the first frame handed over is heard.
      if (i == 0 && from == 0) { EXPECT_EQ(last, 0.0); }
    }
  };
  playFrom(0);
  // No callback for one second: the position runs on through what a late callback would
  // have covered, then stops.
  const double beforeStall = last;
  readUntil(AudioAnchor{true, frame - kBuffer, kBuffer, 99 * kBufferNs}, now + 1000 * kMs);
  EXPECT_NEAR(last, frame - kBuffer + PlaybackSmoother::kLateCallbackSeconds * kRate, 1.0);
  EXPECT_LT(last - beforeStall, 0.25 * kRate);
  // Callbacks resume; the clock catches up with them within a second.
  playFrom(now);
  EXPECT_NEAR(last, static_cast<double>(frame) - kBuffer, 0.01 * kRate);
}

}  // namespace
}  // namespace quintaval
