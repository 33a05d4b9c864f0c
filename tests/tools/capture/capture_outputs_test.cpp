// Where captured frames go, without GL: PNG files (orientation, opacity, names), the
// sound track of a span (offsets, padding past the end, WAV bytes) and the ffmpeg
// process (arguments, and failures reported rather than hidden).
#include <gtest/gtest.h>
#include <stb_image.h>

#include <fstream>
#include <iterator>
#include <numeric>
#include <tuple>

#include "capture/audio_span.h"
#include "capture/png_sequence_writer.h"
#include "capture/video_encoder.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
using Floats = std::vector<float>;

// A 2 × 3 frame as GL reads it: bottom row red, middle green, top blue; alpha 0 as the
// clear colour leaves it. The first red byte is `mark`.
Bytes stripedFrame(unsigned char mark = 255) {
  const unsigned char rows[3][4] = {{mark, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}};
  Bytes pixels;
  for (const auto& row : rows) {
    for (int x = 0; x < 2; ++x) pixels.insert(pixels.end(), row, row + 4);
  }
  return pixels;
}

Bytes fileBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(PngSequenceWriter, WorkersWriteNumberedOpaqueFilesTopRowFirst) {
  testing::TempDir dir;
  const fs::path out = dir.path() / "new" / "shots";
  PngSequenceWriter writer(out.string(), 2, 3, 3);
  ASSERT_TRUE(writer.open());  // creates the missing directories
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(writer.writeFrame(stripedFrame(static_cast<unsigned char>(i)).data(), i));
  ASSERT_TRUE(writer.finish());
  EXPECT_EQ(PngSequenceWriter::fileName(41), "frame-000041.png");
  for (int i = 0; i < 40; ++i) {
    int width = 0, height = 0, channels = 0;
    const std::string path = (out / PngSequenceWriter::fileName(i)).string();
    unsigned char* image = stbi_load(path.c_str(), &width, &height, &channels, 0);
    ASSERT_NE(image, nullptr) << path;
    // Three channels (no alpha: the picture is opaque), top row first: blue, green, then red
    // with the frame's number.
    ASSERT_EQ(std::vector<int>({width, height, channels}), std::vector<int>({2, 3, 3})) << path;
    const auto n = static_cast<unsigned char>(i);
    EXPECT_EQ(Bytes(image, image + 18), Bytes({0, 0, 255, 0, 0, 255, 0, 255, 0, 0, 255, 0, n, 0, 0, n, 0, 0})) << path;
    stbi_image_free(image);
  }
}

TEST(PngSequenceWriter, ReportsADirectoryItCannotMakeOrWriteTo) {
  testing::TempDir dir;
  testing::RecordingReporter reporter;
  const fs::path file = dir.write("taken", "a file, not a directory");
  PngSequenceWriter blocked(file.string(), 2, 3);
  EXPECT_FALSE(blocked.open());

  PngSequenceWriter writer(dir.path().string(), 2, 3);
  ASSERT_TRUE(writer.open());
  fs::create_directory(dir.path() / "frame-000007.png");  // a directory where the file goes
  const Bytes frame = stripedFrame();
  writer.writeFrame(frame.data(), 7);  // written in the background: the failure shows later
  EXPECT_FALSE(writer.finish());
  // The capture stops at the next frame, without another message.
  EXPECT_FALSE(writer.writeFrame(frame.data(), 8));
  const std::vector<std::string> messages = {"Could not create the directory " + file.string(),
                                             "Could not write " + (dir.path() / "frame-000007.png").string()};
  EXPECT_EQ(reporter.messages(), messages);
}

TEST(MusicSpan, StartsAtTheSpansFirstFrameAndPadsPastTheEndWithSilence) {
  DecodedMusic music;  // 3 s of stereo at 100 frames a second, sample i holding i
  music.sampleRate = 100;
  music.channels = 2;
  music.samples.assign(1000, -1.0f);  // a read past the end would find -1 rather than 0
  music.samples.resize(600);
  std::iota(music.samples.begin(), music.samples.end(), 0.0f);

  // Frame 150 (samples 300 and 301) to frame 249; then the music's last frame and silence;
  // then silence alone.
  const DecodedMusic span = musicSpan(&music, 1.5, 1.0), tail = musicSpan(&music, 2.5, 1.0);
  EXPECT_EQ(std::make_tuple(span.sampleRate, span.channels, span.frames(), tail.frames()),
            std::make_tuple(100, 2, 100, 100));
  EXPECT_EQ((std::vector<float>{span.samples[0], span.samples[1], span.samples.back()}), (Floats{300, 301, 499}));
  EXPECT_EQ((std::vector<float>{tail.samples[99], tail.samples[100], tail.samples.back()}), (Floats{599, 0, 0}));
  const DecodedMusic after = musicSpan(&music, 10.0, 0.5);
  EXPECT_EQ(after.samples, std::vector<float>(100, 0.0f));
  // Without music: silence as long as the span.
  EXPECT_EQ(musicSpan(nullptr, 3.0, 2.0).frames(), 2 * kSilenceSampleRate);
}

TEST(WavFile, HoldsAHeaderAndClampedSixteenBitSamples) {
  testing::TempDir dir;
  DecodedMusic audio;
  audio.sampleRate = 48000;
  audio.channels = 2;
  audio.samples = {0.0f, 1.0f, -1.0f, 0.5f, 2.0f, -3.0f};
  ASSERT_TRUE(writeWavFile((dir.path() / "span.wav").string(), audio));
  const Bytes expected = {
      'R', 'I', 'F', 'F', 48, 0, 0, 0, 'W', 'A', 'V', 'E',  // RIFF size: 36 + data
      'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 2, 0,          // PCM, 2 channels
      0x80, 0xBB, 0, 0, 0x00, 0xEE, 0x02, 0, 4, 0, 16, 0,   // 48000 Hz, 192000 bytes/s, 4 bytes a frame, 16 bits
      'd', 'a', 't', 'a', 12, 0, 0, 0,                      // 12 bytes of samples
      0, 0, 0xFF, 0x7F, 0x01, 0x80, 0x00, 0x40, 0xFF, 0x7F, 0x01, 0x80};  // 0, 32767, -32767, 16384, clamped
  EXPECT_EQ(fileBytes(dir.path() / "span.wav"), expected);
}

VideoSettings videoSettings(int side, const char* program) {
  VideoSettings settings;
  settings.path = "out.mp4";
  settings.width = settings.height = side;
  settings.program = program;
  return settings;
}

TEST(VideoEncoder, AsksFfmpegForH264AndAacFromTheFramePipe) {
  VideoSettings settings = videoSettings(320, "ffmpeg");
  settings.height = 180;
  settings.path = "-odd name.mp4";
  ASSERT_TRUE(parseFrameRate("59.94", settings.rate));
  const auto args = VideoEncoder::arguments(settings, "/tmp/a.wav");
  std::string line;
  for (const auto& arg : args) line += arg + " ";
  EXPECT_EQ(args.front(), "ffmpeg");
  for (const char* part : {"-f rawvideo -pixel_format rgba -video_size 320x180 -framerate 2997/50 -i pipe:3 ",
                           "-i file:/tmp/a.wav ", "-vf vflip ", "-c:v libx264 ", "-pix_fmt yuv420p ", "-c:a aac "}) {
    EXPECT_NE(line.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(args.back(), "file:-odd name.mp4");  // never read as an option
}

TEST(VideoEncoder, ReportsAMissingProgramOrOneThatFailsInsteadOfClaimingSuccess) {
  testing::RecordingReporter reporter;
  VideoEncoder missing(videoSettings(2, "quintaval-no-such-encoder"));
  EXPECT_FALSE(missing.open(musicSpan(nullptr, 0.0, 0.1)));

  VideoEncoder failing(videoSettings(256, "false"));  // more than a pipe holds: the write sees the end
  ASSERT_TRUE(failing.open(musicSpan(nullptr, 0.0, 0.1)));
  const Bytes frame(256 * 256 * 4, 0);
  EXPECT_FALSE(failing.writeFrame(frame.data(), 0));
  EXPECT_FALSE(failing.finish());
  EXPECT_EQ(reporter.messages(), (std::vector<std::string>{
                                     "Could not start quintaval-no-such-encoder: No such file or directory",
                                     "false stopped taking frames at frame 0",
                                     "false failed (exit status 1) writing out.mp4"}));
}

}  // namespace
}  // namespace quintaval
