// Capture of the sample demo in a real GL context (320 × 180, multisampled, as the golden
// frames are made): a captured frame equals what the player's frame renderer draws when
// its clock reads the same time, two captures of a span are identical, and chosen frames
// match the reference pictures in golden/ within a small tolerance.
//
// The sample demo is the one the build generates into build/demo/. A golden frame that
// does not match is written to build/tests/capture-golden/ for a look.
#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "capture/capture_startup.h"
#include "capture/frame_capturer.h"
#include "platform/audio/music_decoder.h"
#include "support/gl_test_context.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 320;
constexpr int kHeight = 180;
constexpr std::size_t kFrameBytes = static_cast<std::size_t>(kWidth) * kHeight * 4;

using Frame = std::vector<unsigned char>;

class MemorySink : public FrameSink {
 public:
  bool writeFrame(const unsigned char* rgba, std::int64_t index) override {
    indices.push_back(index);
    frames.emplace_back(rgba, rgba + kFrameBytes);
    return true;
  }
  bool finish() override {
    finished = true;
    return true;
  }

  std::vector<Frame> frames;
  std::vector<std::int64_t> indices;
  bool finished = false;
};

class CaptureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const fs::path demoDir = fs::path(std::getenv("QV_BINARY_DIR")) / "demo";
    if (!fs::exists(demoDir / "Data/Rocket/sync_scene.num.track")) return;
    workingDirectory_ = new testing::ScopedWorkingDirectory(demoDir);
    demo_ = new Demo;
    started_ = startDemoForCapture(*demo_, kWidth, kHeight, true);
    auto music = std::make_shared<DecodedMusic>();
    if (decodeMusicFile("Data/Sound/Musica.mp3", *music)) music_ = music;
  }

  static void TearDownTestSuite() {
    if (started_) endCapture(*demo_);
    // The demo's GL objects went with the context; the rest lives to the end of the test.
    delete workingDirectory_;
  }

  void SetUp() override {
    ASSERT_TRUE(demo_) << "the sample demo has not been built into build/demo/Data";
    ASSERT_TRUE(started_);
    ASSERT_TRUE(music_);
  }

  // What the player shows when its clock reads `seconds`: the main loop's steps with the
  // player's frame renderer on a fixed clock, read straight from the back buffer.
  static Frame playerFrameAt(double seconds) {
    FixedClock clock(seconds);
    clock.attachMusic(music_);
    FrameRenderer renderer(frameSources(*demo_), demo_->tracks, clock);
    renderer.setPresenter([] {});
    clock.update();
    demo_->syncRow = clock.syncRow();
    clock.fetchSpectrum(demo_->spectrum.data());
    renderer.renderFrame(demo_->syncRow, demo_->spectrum.data());
    return testing::GlTestContext::readPixels(0, 0, kWidth, kHeight);
  }

  static std::vector<Frame> captureAt(const std::vector<double>& times) {
    MemorySink sink;
    FrameCapturer capturer(*demo_, music_, sink);
    for (double t : times) EXPECT_TRUE(capturer.captureAt(t));
    EXPECT_TRUE(capturer.finish());
    EXPECT_EQ(sink.frames.size(), times.size());
    for (std::size_t i = 0; i < sink.indices.size(); ++i) EXPECT_EQ(sink.indices[i], static_cast<std::int64_t>(i));
    return sink.frames;
  }

  static inline testing::ScopedWorkingDirectory* workingDirectory_ = nullptr;
  static inline Demo* demo_ = nullptr;
  static inline bool started_ = false;
  static inline std::shared_ptr<const DecodedMusic> music_;
};

// Every colour byte of a frame (alpha left out) at most `level`?
bool allDarkerThan(const Frame& frame, int level) {
  for (std::size_t i = 0; i < frame.size(); i += 4) {
    if (frame[i] > level || frame[i + 1] > level || frame[i + 2] > level) return false;
  }
  return true;
}

TEST_F(CaptureTest, CapturedFrameEqualsThePlayersFrameAtTheSameTime) {
  // Both picture scenes and two moments of the 3D scene, whose camera shakes with the music.
  const std::vector<double> times = {10.0, 20.25, 40.5, 70.0};
  const std::vector<Frame> captured = captureAt(times);
  ASSERT_EQ(captured.size(), times.size());
  for (std::size_t i = 0; i < times.size(); ++i) {
    const Frame player = playerFrameAt(times[i]);
    ASSERT_EQ(player.size(), kFrameBytes);
    EXPECT_TRUE(captured[i] == player) << "frame at " << times[i] << " s";
    EXPECT_FALSE(allDarkerThan(captured[i], 8)) << "frame at " << times[i] << " s is black";
  }
  EXPECT_FALSE(captured[0] == captured[1]);
  EXPECT_FALSE(captured[2] == captured[3]);
}

TEST_F(CaptureTest, TwoCapturesOfTheSameSpanAreIdentical) {
  CaptureOptions options;
  options.from = 40.0;
  options.to = 40.0 + 3.0 / 60.0;
  MemorySink first;
  MemorySink second;
  ProgressMeter quiet(3, false);
  ASSERT_TRUE(runCapture(*demo_, options, music_, first, quiet));
  // Something else in between, so that left-over state would show.
  captureAt({10.0});
  ASSERT_TRUE(runCapture(*demo_, options, music_, second, quiet));
  ASSERT_EQ(first.frames.size(), 3u);
  EXPECT_TRUE(first.finished);
  ASSERT_EQ(second.frames.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(first.frames[i] == second.frames[i]) << "frame " << i;
  // The camera moves between frames.
  EXPECT_FALSE(first.frames[0] == first.frames[2]);
  // Time came from the frame numbers alone: no audio device was ever opened.
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

struct GoldenFrame {
  std::string name;
  double seconds = 0.0;
};

std::vector<GoldenFrame> goldenFrames(const fs::path& list) {
  std::vector<GoldenFrame> frames;
  std::ifstream file(list);
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    fields.imbue(std::locale::classic());
    GoldenFrame frame;
    if (fields >> frame.name >> frame.seconds) frames.push_back(frame);
  }
  return frames;
}

TEST_F(CaptureTest, ChosenFramesMatchTheGoldenPictures) {
  const fs::path golden = fs::path(std::getenv("QV_SOURCE_DIR")) / "tests/tools/capture/golden";
  const std::vector<GoldenFrame> frames = goldenFrames(golden / "frames.txt");
  ASSERT_GE(frames.size(), 4u);
  const fs::path failures = fs::path(std::getenv("QV_BINARY_DIR")) / "tests/capture-golden";

  for (const GoldenFrame& frame : frames) {
    SCOPED_TRACE(frame.name);
    const Frame captured = captureAt({frame.seconds}).at(0);
    int width = 0, height = 0, channels = 0;
    unsigned char* reference = stbi_load((golden / (frame.name + ".png")).c_str(), &width, &height, &channels, 3);
    ASSERT_NE(reference, nullptr) << "no golden picture " << frame.name << ".png";
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);

    // The same renderer on the same machine gives the same bytes; the tolerance allows
    // for another Mesa build rounding a little differently, not for a changed picture.
    std::vector<unsigned char> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
    double totalDifference = 0.0;
    int pixelsOff = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const unsigned char* got = &captured[(static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 4];
        const unsigned char* want = &reference[(static_cast<std::size_t>(y) * kWidth + x) * 3];
        int worst = 0;
        for (int c = 0; c < 3; ++c) {
          const int difference = std::abs(got[c] - want[c]);
          totalDifference += difference;
          worst = std::max(worst, difference);
          rgb[(static_cast<std::size_t>(y) * kWidth + x) * 3 + c] = got[c];
        }
        if (worst > 32) ++pixelsOff;
      }
    }
    stbi_image_free(reference);
    const double meanDifference = totalDifference / (kWidth * kHeight * 3.0);
    const bool matches = meanDifference <= 1.0 && pixelsOff <= kWidth * kHeight / 200;
    EXPECT_TRUE(matches) << "mean difference " << meanDifference << ", " << pixelsOff << " pixels off by more than 32";
    if (!matches) {
      fs::create_directories(failures);
      stbi_write_png((failures / (frame.name + ".png")).c_str(), kWidth, kHeight, 3, rgb.data(), kWidth * 3);
    }
  }
}

}  // namespace
}  // namespace quintaval
