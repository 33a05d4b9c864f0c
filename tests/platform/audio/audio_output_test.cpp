// What the output callback plays (wrapping and the silence after the end), the fallback
// to the dummy driver without a device, and the callback stamps of a real SDL device on
// that driver.
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
  auto music = std::make_shared<DecodedMusic>();
  music->sampleRate = 44100;
  music->channels = 2;
  for (int i = 0; i < frames; ++i) {
    music->samples.push_back(static_cast<float>(i));
    music->samples.push_back(-static_cast<float>(i));
  }
  return music;
}

std::vector<float> render(const DecodedMusic& music, bool loop, std::uint64_t first, int frames) {
  std::vector<float> out(static_cast<size_t>(frames) * 2, 99.0f);
  AudioOutput::renderFrames(music, loop, first, out.data(), frames);
  return out;
}

TEST(AudioOutput, LoopingWrapsInsideABuffer) {
  const auto music = countingMusic(10);
  EXPECT_EQ(render(*music, true, 8, 5),
            (std::vector<float>{8, -8, 9, -9, 0, 0, 1, -1, 2, -2}));
  // Many loops later, and a buffer longer than the music.
  EXPECT_EQ(render(*music, true, 10 * 1000 + 9, 12),
            (std::vector<float>{9, -9, 0, 0, 1, -1, 2, -2, 3, -3, 4, -4, 5, -5, 6, -6, 7, -7,
                                8, -8, 9, -9, 0, 0}));
}

TEST(AudioOutput, WithoutLoopingTheEndIsFollowedBySilence) {
  const auto music = countingMusic(10);
  EXPECT_EQ(render(*music, false, 8, 4), (std::vector<float>{8, -8, 9, -9, 0, 0, 0, 0}));
  EXPECT_EQ(render(*music, false, 1u << 31, 2), (std::vector<float>{0, 0, 0, 0}));
}

TEST(AudioOutput, WithoutADevicePlaysOnTheDummyDriverNoFasterThanRealTime) {
  // A driver that does not exist stands for a machine without sound.
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  AudioOutput output;
  EXPECT_FALSE(output.deviceAvailable());
  ASSERT_EQ(output.open(countingMusic(44100), true), AudioOutput::OpenResult::kDummyDriver);
  EXPECT_GT(output.latencyFrames(), 0);
  ASSERT_TRUE(output.rewind());
  EXPECT_FALSE(output.anchor().valid);
  ASSERT_TRUE(output.play());
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const AudioAnchor first = output.anchor();
  ASSERT_TRUE(first.valid);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const AudioAnchor later = output.anchor();
  const double frames = static_cast<double>(later.frame - first.frame);
  const double seconds = static_cast<double>(later.timeNs - first.timeNs) * 1e-9;
  EXPECT_TRUE(output.onDummyDriver());
  EXPECT_NEAR(seconds, 0.5, 0.2);  // callback stamps: a busy machine delays them
  // It sleeps between buffers, so a busy machine slows it down, never speeds it up.
  EXPECT_GT(frames, 0.0);
  EXPECT_LT(frames / seconds, 44100.0 * 1.05);

  output.close();
  EXPECT_FALSE(output.isOpen());
  EXPECT_FALSE(output.anchor().valid);
  EXPECT_FALSE(output.play());
  EXPECT_FALSE(output.rewind());
  setenv("SDL_AUDIODRIVER", "dummy", 1);  // as the test environment has it
}

TEST(AudioOutput, RefusesMusicWithoutFrames) {
  AudioOutput output;
  EXPECT_EQ(output.open(std::make_shared<DecodedMusic>(), false), AudioOutput::OpenResult::kFailed);
  EXPECT_EQ(output.open(nullptr, false), AudioOutput::OpenResult::kFailed);
  EXPECT_FALSE(output.isOpen());
}

}  // namespace
}  // namespace quintaval
