// Capture of the sample demo in a real GL context (320 × 180, multisampled, as the golden
// frames are made): a captured frame equals what the player's frame renderer draws when
// its clock reads the same time, a captured span comes out the same after other frames,
// and chosen frames match the reference pictures in golden/ within a small tolerance.
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

#include "app/main_loop.h"
#include "capture/frame_capturer.h"
#include "platform/audio/music_decoder.h"
#include "support/gl_test_context.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 320;
constexpr int kHeight = 180;
constexpr std::size_t kFrameBytes = static_cast<std::size_t>(kWidth) * kHeight * 4;

using Frame = std::vector<unsigned char>;

// Keeps every frame handed to it, with its index.
struct MemorySink : FrameSink {
  bool writeFrame(const unsigned char* rgba, std::int64_t index) override {
    indices.push_back(index);
    frames.emplace_back(rgba, rgba + kFrameBytes);
    return true;
  }
  bool finish() override { return finished = true; }

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
    testing::RecordingReporter reporter;
    started_ = startDemoForCapture(*demo_, kWidth, kHeight, true);
    startMessages_ = reporter.messages();
    auto music = std::make_shared<DecodedMusic>();
    if (decodeMusicFile("Data/Sound/Musica.mp3", *music)) music_ = music;
  }

  static void TearDownTestSuite() {
    if (started_) shutdown(*demo_);
    // The demo's GL objects went with the context; the rest lives to the end of the test.
    delete workingDirectory_;
  }

  void SetUp() override {
    ASSERT_TRUE(demo_) << "the sample demo has not been built into build/demo/Data";
    ASSERT_TRUE(started_);
    ASSERT_TRUE(music_);
    // The sample demo loads whole, without a message.
    ASSERT_TRUE(startMessages_.empty()) << startMessages_.front();
    ASSERT_GE(demo_->models.count(), 3u);
  }

  // What the player shows when its clock reads `seconds`, read straight from the back
  // buffer.
  static Frame playerFrameAt(double seconds) {
    FixedClock clock(seconds);
    clock.attachMusic(music_);
    FrameRenderer renderer(frameSources(*demo_), demo_->tracks);
    clock.update();
    renderer.renderFrame(FrameTime::read(clock));
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
  static inline std::vector<std::string> startMessages_;
  static inline std::shared_ptr<const DecodedMusic> music_;
};

TEST_F(CaptureTest, CapturedFramesEqualThePlayersFramesAndRepeatExactly) {
  // A span of the 3D scene, whose camera shakes with the music: frame k at 40 s + k / 60.
  CaptureOptions options;
  options.from = 40.0;
  options.to = 40.0 + 3.0 / 60.0;
  MemorySink span;
  ProgressMeter quiet(3, false);
  ASSERT_TRUE(runCapture(*demo_, options, music_, span, quiet));
  ASSERT_EQ(span.frames.size(), 3u);
  EXPECT_TRUE(span.finished);
  // Then both picture scenes, a later 3D moment and the span's times again in one run:
  // each frame reaches the sink paired with its own time, and nothing left over from
  // earlier frames changes the span.
  const std::vector<double> times = {10.0, 20.25, 70.0, 40.0, 40.0 + 1.0 / 60.0, 40.0 + 2.0 / 60.0};
  const std::vector<Frame> captured = captureAt(times);
  ASSERT_EQ(captured.size(), times.size());
  for (std::size_t i = 0; i < times.size(); ++i) {
    EXPECT_TRUE(captured[i] == playerFrameAt(times[i])) << "frame at " << times[i] << " s";
  }
  EXPECT_TRUE(std::equal(span.frames.begin(), span.frames.end(), captured.end() - 3));
  // Time came from the frame numbers alone: no audio device was ever opened.
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(CaptureTest, ChosenFramesMatchTheGoldenPictures) {
  const fs::path golden = fs::path(std::getenv("QV_SOURCE_DIR")) / "tests/tools/capture/golden";
  const fs::path failures = fs::path(std::getenv("QV_BINARY_DIR")) / "tests/capture-golden";
  std::ifstream list(golden / "frames.txt");
  int checked = 0;
  for (std::string line; std::getline(list, line);) {  // NAME SECONDS, or a # comment
    std::istringstream fields(line);
    fields.imbue(std::locale::classic());
    std::string name;
    double seconds = 0.0;
    if (line.empty() || line[0] == '#' || !(fields >> name >> seconds)) continue;
    SCOPED_TRACE(name);
    ++checked;
    const Frame captured = captureAt({seconds}).at(0);
    int width = 0, height = 0, channels = 0;
    unsigned char* reference = stbi_load((golden / (name + ".png")).c_str(), &width, &height, &channels, 3);
    ASSERT_NE(reference, nullptr) << "no golden picture " << name << ".png";
    ASSERT_EQ(std::make_pair(width, height), std::make_pair(kWidth, kHeight));

    // The capture top row first, as pictures are stored. The same renderer on the same
    // machine gives the same bytes; the tolerance allows for another Mesa build rounding a
    // little differently, not for a changed picture.
    std::vector<unsigned char> rgb;
    for (int y = kHeight - 1; y >= 0; --y) {
      const unsigned char* row = &captured[static_cast<std::size_t>(y) * kWidth * 4];
      for (int x = 0; x < kWidth; ++x) rgb.insert(rgb.end(), row + 4 * x, row + 4 * x + 3);
    }
    double totalDifference = 0.0;
    int pixelsOff = 0;
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
      int worst = 0;
      for (std::size_t c = i; c < i + 3; ++c) {
        totalDifference += std::abs(rgb[c] - reference[c]);
        worst = std::max(worst, std::abs(rgb[c] - reference[c]));
      }
      if (worst > 32) ++pixelsOff;
    }
    stbi_image_free(reference);
    const double meanDifference = totalDifference / static_cast<double>(rgb.size());
    const bool matches = meanDifference <= 1.0 && pixelsOff <= kWidth * kHeight / 200;
    EXPECT_TRUE(matches) << "mean difference " << meanDifference << ", " << pixelsOff << " pixels off by more than 32";
    if (!matches) {
      fs::create_directories(failures);
      stbi_write_png((failures / (name + ".png")).c_str(), kWidth, kHeight, 3, rgb.data(), kWidth * 3);
    }
  }
  EXPECT_GE(checked, 4);
}

}  // namespace
}  // namespace quintaval
