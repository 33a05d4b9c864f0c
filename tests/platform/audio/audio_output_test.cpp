// What the output callback plays (wrapping and the silence after the end), the music it
// refuses, and the fallback to SDL's dummy driver without a device, stamping its buffers.
#include "platform/audio/audio_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace quintaval {
namespace {

// Stereo music whose samples are their own frame index (left) and its negation (right).
std::shared_ptr<DecodedMusic> countingMusic(int frames) {
  auto music = std::make_shared<DecodedMusic>(DecodedMusic{44100, 2, {}});
  for (int i = 0; i < frames; ++i) music->samples.insert(music->samples.end(), {float(i), -float(i)});
  return music;
}

TEST(AudioOutput, RendersTheMusicWrappedWhenLoopingAndSilenceAfterItsEndOtherwise) {
  const struct {
    bool loop;
    std::uint64_t first;
    std::vector<float> expected;
  } cases[] = {
      {true, 8, {8, -8, 9, -9, 0, 0, 1, -1, 2, -2}},
      // Many loops later, and a buffer longer than the music.
      {true, 10 * 1000 + 9,
       {9, -9, 0, 0, 1, -1, 2, -2, 3, -3, 4, -4, 5, -5, 6, -6, 7, -7, 8, -8, 9, -9, 0, 0}},
      {false, 8, {8, -8, 9, -9, 0, 0, 0, 0}},
      {false, 1u << 31, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    std::vector<float> out(c.expected.size(), 99.0f);
    AudioOutput::renderFrames(*countingMusic(10), c.loop, c.first, out.data(), int(out.size() / 2));
    EXPECT_EQ(out, c.expected) << c.first;
  }
}

TEST(AudioOutput, RefusesMusicWithoutFramesAndWithoutADevicePlaysOnTheDummyDriver) {
  AudioOutput output;
  EXPECT_EQ(output.open(std::make_shared<DecodedMusic>(), false), AudioOutput::OpenResult::kFailed);
  EXPECT_EQ(output.open(nullptr, false), AudioOutput::OpenResult::kFailed);
  EXPECT_FALSE(output.isOpen());
  // A driver that does not exist stands for a machine without sound.
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_FALSE(output.deviceAvailable());
  ASSERT_EQ(output.open(countingMusic(44100), true), AudioOutput::OpenResult::kDummyDriver);
  EXPECT_TRUE(output.onDummyDriver());
  EXPECT_GT(output.latencyFrames(), 0);
  ASSERT_TRUE(output.rewind());
  EXPECT_FALSE(output.anchor().valid);
  // Once playing, each buffer handed over is stamped: frames counted on, later in time.
  ASSERT_TRUE(output.play());
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const AudioAnchor first = output.anchor();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_TRUE(first.valid);
  EXPECT_GT(output.anchor().frame, first.frame);
  EXPECT_GT(output.anchor().timeNs, first.timeNs);

  output.close();
  EXPECT_FALSE(output.isOpen());
  EXPECT_FALSE(output.anchor().valid);
  EXPECT_FALSE(output.play());
  EXPECT_FALSE(output.rewind());
  setenv("SDL_AUDIODRIVER", "dummy", 1);  // as the test environment has it
}

}  // namespace
}  // namespace quintaval
