// Where captured frames go, without GL: PNG files (orientation, opacity, names), the
// sound track of a span (offsets, padding past the end, WAV bytes) and the ffmpeg
// process (arguments, and failures reported rather than hidden).
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "capture/audio_span.h"
#include "capture/png_sequence_writer.h"
#include "capture/video_encoder.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

namespace fs = std::filesystem;

// A 2 × 3 frame as GL reads it: bottom row red, middle green, top blue; alpha 0 as the
// clear colour leaves it.
std::vector<unsigned char> stripedFrame() {
  const unsigned char rows[3][4] = {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}};
  std::vector<unsigned char> pixels;
  for (const auto& row : rows) {
    for (int x = 0; x < 2; ++x) pixels.insert(pixels.end(), row, row + 4);
  }
  return pixels;
}

TEST(PngSequenceWriter, WritesNumberedOpaqueFilesTopRowFirst) {
  testing::TempDir dir;
  const fs::path out = dir.path() / "new" / "shots";
  PngSequenceWriter writer(out.string(), 2, 3);
  ASSERT_TRUE(writer.open());  // creates the missing directories
  const auto frame = stripedFrame();
  ASSERT_TRUE(writer.writeFrame(frame.data(), 0));
  ASSERT_TRUE(writer.writeFrame(frame.data(), 41));
  EXPECT_TRUE(writer.finish());
  EXPECT_TRUE(fs::exists(out / "frame-000000.png"));
  EXPECT_EQ(PngSequenceWriter::fileName(41), "frame-000041.png");

  int width = 0, height = 0, channels = 0;
  unsigned char* image = stbi_load((out / "frame-000041.png").c_str(), &width, &height, &channels, 4);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(width, 2);
  EXPECT_EQ(height, 3);
  EXPECT_EQ(channels, 3);  // no alpha channel: the picture is opaque
  const unsigned char expected[3][4] = {{0, 0, 255, 255}, {0, 255, 0, 255}, {255, 0, 0, 255}};
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(std::memcmp(image + y * 2 * 4, expected[y], 4), 0) << "row " << y;
  }
  stbi_image_free(image);
}

TEST(PngSequenceWriter, ReportsADirectoryItCannotMakeOrWriteTo) {
  testing::TempDir dir;
  testing::RecordingReporter reporter;
  const fs::path file = dir.write("taken", "a file, not a directory");
  PngSequenceWriter blocked(file.string(), 2, 3);
  EXPECT_FALSE(blocked.open());
  ASSERT_EQ(reporter.messages().size(), 1u);
  EXPECT_EQ(reporter.messages()[0], "Could not create the directory " + file.string());

  PngSequenceWriter writer(dir.path().string(), 2, 3);
  ASSERT_TRUE(writer.open());
  fs::create_directory(dir.path() / "frame-000007.png");  // a directory where the file goes
  const auto frame = stripedFrame();
  writer.writeFrame(frame.data(), 7);  // written in the background: the failure shows later
  EXPECT_FALSE(writer.finish());
  ASSERT_EQ(reporter.messages().size(), 2u);
  EXPECT_EQ(reporter.messages()[1], "Could not write " + (dir.path() / "frame-000007.png").string());
  // The capture stops at the next frame.
  EXPECT_FALSE(writer.writeFrame(frame.data(), 8));
  EXPECT_EQ(reporter.messages().size(), 2u);
}

TEST(PngSequenceWriter, WorkersWriteEveryFrameOfALongSequence) {
  testing::TempDir dir;
  PngSequenceWriter writer(dir.path().string(), 2, 3, 3);
  ASSERT_TRUE(writer.open());
  std::vector<unsigned char> frame = stripedFrame();
  for (int i = 0; i < 40; ++i) {
    frame[0] = static_cast<unsigned char>(i);  // bottom-left red byte: the frame's number
    ASSERT_TRUE(writer.writeFrame(frame.data(), i));
  }
  ASSERT_TRUE(writer.finish());
  for (int i = 0; i < 40; ++i) {
    int width = 0, height = 0, channels = 0;
    const std::string path = (dir.path() / PngSequenceWriter::fileName(i)).string();
    unsigned char* image = stbi_load(path.c_str(), &width, &height, &channels, 3);
    ASSERT_NE(image, nullptr) << path;
    EXPECT_EQ(image[2 * 2 * 3], i) << path;  // bottom row, first pixel, red
    stbi_image_free(image);
  }
}

DecodedMusic ramp(int sampleRate, int channels, int frames) {
  DecodedMusic music;
  music.sampleRate = sampleRate;
  music.channels = channels;
  for (int i = 0; i < frames * channels; ++i) music.samples.push_back(static_cast<float>(i));
  return music;
}

TEST(MusicSpan, StartsAtTheSpansFirstFrameAndPadsPastTheEndWithSilence) {
  const DecodedMusic music = ramp(100, 2, 300);  // 3 s
  const DecodedMusic span = musicSpan(&music, 1.5, 1.0);
  EXPECT_EQ(span.sampleRate, 100);
  EXPECT_EQ(span.channels, 2);
  ASSERT_EQ(span.frames(), 100);
  EXPECT_EQ(span.samples[0], 300.0f);  // frame 150, left
  EXPECT_EQ(span.samples[1], 301.0f);
  EXPECT_EQ(span.samples.back(), 499.0f);

  const DecodedMusic tail = musicSpan(&music, 2.5, 1.0);
  ASSERT_EQ(tail.frames(), 100);
  EXPECT_EQ(tail.samples[99], 599.0f);  // the last frame of the music, right
  EXPECT_EQ(tail.samples[100], 0.0f);
  EXPECT_EQ(tail.samples.back(), 0.0f);

  const DecodedMusic after = musicSpan(&music, 10.0, 0.5);
  ASSERT_EQ(after.frames(), 50);
  EXPECT_TRUE(std::all_of(after.samples.begin(), after.samples.end(), [](float s) { return s == 0.0f; }));
}

TEST(MusicSpan, WithoutMusicIsStereoSilenceOfTheSpansLength) {
  const DecodedMusic span = musicSpan(nullptr, 3.0, 2.0);
  EXPECT_EQ(span.sampleRate, kSilenceSampleRate);
  EXPECT_EQ(span.channels, kSilenceChannels);
  EXPECT_EQ(span.frames(), 2 * kSilenceSampleRate);
}

TEST(WavFile, HoldsAHeaderAndClampedSixteenBitSamples) {
  testing::TempDir dir;
  DecodedMusic audio;
  audio.sampleRate = 48000;
  audio.channels = 2;
  audio.samples = {0.0f, 1.0f, -1.0f, 0.5f, 2.0f, -3.0f};
  const std::string path = (dir.path() / "span.wav").string();
  ASSERT_TRUE(writeWavFile(path, audio));

  std::ifstream file(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 44u + 12u);
  auto le = [&](std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
    return value;
  };
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
  EXPECT_EQ(le(4, 4), 36u + 12u);
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(le(20, 2), 1u);       // PCM
  EXPECT_EQ(le(22, 2), 2u);       // channels
  EXPECT_EQ(le(24, 4), 48000u);   // rate
  EXPECT_EQ(le(28, 4), 192000u);  // bytes per second
  EXPECT_EQ(le(32, 2), 4u);       // bytes per frame
  EXPECT_EQ(le(34, 2), 16u);
  EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
  EXPECT_EQ(le(40, 4), 12u);
  const std::int16_t expected[] = {0, 32767, -32767, 16384, 32767, -32767};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(static_cast<std::int16_t>(le(44 + 2 * i, 2)), expected[i]) << i;
}

TEST(VideoEncoder, AsksFfmpegForH264AndAacFromTheFramePipe) {
  VideoSettings settings;
  settings.path = "-odd name.mp4";
  settings.width = 320;
  settings.height = 180;
  ASSERT_TRUE(parseFrameRate("59.94", settings.rate));
  const auto args = VideoEncoder::arguments(settings, "/tmp/a.wav");
  const std::string line = [&] {
    std::string joined;
    for (const auto& arg : args) joined += arg + " ";
    return joined;
  }();
  EXPECT_EQ(args.front(), "ffmpeg");
  EXPECT_NE(line.find("-f rawvideo -pixel_format rgba -video_size 320x180 -framerate 2997/50 -i pipe:3 "),
            std::string::npos);
  EXPECT_NE(line.find("-i file:/tmp/a.wav "), std::string::npos);
  EXPECT_NE(line.find("-vf vflip "), std::string::npos);
  EXPECT_NE(line.find("-c:v libx264 "), std::string::npos);
  EXPECT_NE(line.find("-pix_fmt yuv420p "), std::string::npos);
  EXPECT_NE(line.find("-c:a aac "), std::string::npos);
  EXPECT_EQ(args.back(), "file:-odd name.mp4");  // never read as an option
}

TEST(VideoEncoder, ReportsAMissingProgram) {
  testing::RecordingReporter reporter;
  VideoSettings settings;
  settings.path = "out.mp4";
  settings.width = 2;
  settings.height = 2;
  settings.program = "quintaval-no-such-encoder";
  VideoEncoder encoder(settings);
  EXPECT_FALSE(encoder.open(musicSpan(nullptr, 0.0, 0.1)));
  ASSERT_EQ(reporter.messages().size(), 1u);
  EXPECT_EQ(reporter.messages()[0], "Could not start quintaval-no-such-encoder: No such file or directory");
}

TEST(VideoEncoder, ReportsAnEncoderThatFailsInsteadOfClaimingSuccess) {
  testing::RecordingReporter reporter;
  VideoSettings settings;
  settings.path = "out.mp4";
  settings.width = 256;
  settings.height = 256;  // more than a pipe holds, so the write itself sees the end
  settings.program = "false";
  VideoEncoder encoder(settings);
  ASSERT_TRUE(encoder.open(musicSpan(nullptr, 0.0, 0.1)));
  const std::vector<unsigned char> frame(256 * 256 * 4, 0);
  EXPECT_FALSE(encoder.writeFrame(frame.data(), 0));
  EXPECT_FALSE(encoder.finish());
  ASSERT_EQ(reporter.messages().size(), 2u);
  EXPECT_EQ(reporter.messages()[0], "false stopped taking frames at frame 0");
  EXPECT_EQ(reporter.messages()[1], "false failed (exit status 1) writing out.mp4");
}

}  // namespace
}  // namespace quintaval
