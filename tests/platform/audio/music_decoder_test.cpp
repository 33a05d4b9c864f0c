// Decoding real MP3 bytes made by the test itself: lengths, formats, and the files that
// must be refused.
#include "platform/audio/music_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/temp_dir.h"
#include "tone_mp3.h"

namespace quintaval {
namespace {

TEST(MusicDecoder, DecodesTheWholeFileAtItsOwnRateAsFullScaleFloatFromAnyPathLength) {
  testing::TempDir dir;
  const std::string deep = std::string(120, 'd') + "/" + std::string(150, 'e') + "/tone.mp3";
  for (int rate : {44100, 48000}) {
    const auto path = dir.write(deep, testing::encodeToneMp3(1.5, 1000.0, rate));
    ASSERT_GT(path.string().size(), 260u);
    DecodedMusic music;
    ASSERT_TRUE(decodeMusicFile(path.string(), music)) << rate;
    EXPECT_EQ(music.sampleRate, rate);
    EXPECT_EQ(music.channels, 2);
    // The Info tag lets the decoder drop the encoder's delay and padding.
    EXPECT_NEAR(music.seconds(), 1.5, 0.01) << rate;
    // Full-scale float, not 16-bit integers: the 0.5 tone peaks near 0.5.
    float peak = 0.0f;
    for (float s : music.samples) peak = std::max(peak, std::fabs(s));
    EXPECT_GT(peak, 0.4f);
    EXPECT_LT(peak, 0.65f);
  }
}

// Each refusal says why, after the file's name.
TEST(MusicDecoder, RefusesFilesWithoutAudioAndSaysWhy) {
  testing::TempDir dir;
  dir.write("folder.mp3/inside", "");
  const struct {
    std::string path;
    const char* why;
  } cases[] = {
      {(dir.path() / "missing.mp3").string(), "No such file or directory"},
      {(dir.path() / "folder.mp3").string(), "Is a directory"},
      {dir.write("empty.mp3", "").string(), "no MP3 audio in it"},
      {dir.write("text.mp3", std::string(5000, 'x')).string(), "no MP3 audio in it"},
  };
  for (const auto& c : cases) {
    DecodedMusic music;
    std::string failure;
    EXPECT_FALSE(decodeMusicFile(c.path, music, &failure));
    EXPECT_EQ(failure, c.path + ": " + c.why);
    EXPECT_EQ(music.frames(), 0);
    EXPECT_EQ(music.sampleRate, 0);
  }
}

}  // namespace
}  // namespace quintaval
