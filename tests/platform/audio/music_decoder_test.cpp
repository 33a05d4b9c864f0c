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

using testing::TempDir;
using testing::ToneSpec;

TEST(MusicDecoder, DecodesTheWholeFileAtItsOwnRateAndChannels) {
  TempDir dir;
  struct Case {
    int rate;
    int channels;
  };
  for (const Case c : {Case{44100, 2}, Case{48000, 1}}) {
    ToneSpec spec;
    spec.seconds = 1.5;
    spec.sampleRate = c.rate;
    spec.channels = c.channels;
    const auto path = dir.write("tone.mp3", testing::encodeToneMp3(spec));
    DecodedMusic music;
    ASSERT_TRUE(decodeMusicFile(path.string(), music)) << c.rate;
    EXPECT_EQ(music.sampleRate, c.rate);
    EXPECT_EQ(music.channels, c.channels);
    // The LAME tag lets the decoder drop the encoder's delay and padding.
    EXPECT_NEAR(music.seconds(), 1.5, 0.01) << c.rate;
    EXPECT_EQ(music.samples.size(), static_cast<size_t>(music.frames()) * c.channels);
    // Full-scale float, not 16-bit integers: the 0.5 tone peaks near 0.5.
    float peak = 0.0f;
    for (float s : music.samples) peak = std::max(peak, std::fabs(s));
    EXPECT_GT(peak, 0.4f);
    EXPECT_LT(peak, 0.65f);
  }
}

TEST(MusicDecoder, RefusesFilesWithoutAudio) {
  TempDir dir;
  DecodedMusic music;
  EXPECT_FALSE(decodeMusicFile((dir.path() / "missing.mp3").string(), music));
  EXPECT_FALSE(decodeMusicFile(dir.write("empty.mp3", "").string(), music));
  EXPECT_FALSE(decodeMusicFile(dir.write("text.mp3", std::string(5000, 'x')).string(), music));
  EXPECT_EQ(music.frames(), 0);
  EXPECT_EQ(music.sampleRate, 0);
}

TEST(MusicDecoder, ReadsPathsLongerThanTheOldLimit) {
  TempDir dir;
  const std::string deep = std::string(120, 'd') + "/" + std::string(120, 'e') + "/tone.mp3";
  const auto path = dir.write(deep, testing::encodeToneMp3(ToneSpec{}));
  ASSERT_GT(path.string().size(), 260u);
  DecodedMusic music;
  EXPECT_TRUE(decodeMusicFile(path.string(), music));
}

}  // namespace
}  // namespace quintaval
