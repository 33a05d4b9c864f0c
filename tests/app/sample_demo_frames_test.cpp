// The sample demo, loaded exactly as the program loads it, drawn at chosen rows into a
// real window under Xvfb: the pixels must be what those rows direct.
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/demo.h"
#include "app/gl_state.h"
#include "app/loading_sequence.h"
#include "app/window.h"
#include "support/gl_test_context.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "timeline/fixed_clock.h"

namespace quintaval {
namespace {

// A 4:3 window, so the 16:9 picture leaves black bars of 60 pixels above and below.
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kBar = 60;

struct Average {
  double r = 0, g = 0, b = 0;
  double brightness() const { return (r + g + b) / 3.0; }
};

Average averageOf(int x, int y, int width, int height) {
  auto pixels = testing::GlTestContext::readPixels(x, y, width, height);
  Average a;
  for (size_t i = 0; i < pixels.size(); i += 4) {
    a.r += pixels[i];
    a.g += pixels[i + 1];
    a.b += pixels[i + 2];
  }
  const double n = pixels.size() / 4.0;
  a.r /= n;
  a.g /= n;
  a.b /= n;
  return a;
}

class SampleDemoFrames : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::filesystem::path demoDir = std::filesystem::path(std::getenv("QV_BINARY_DIR")) / "demo";
    if (!std::filesystem::exists(demoDir / "Data/Rocket/sync_scene.num.track")) return;
    cwd_ = new testing::ScopedWorkingDirectory(demoDir);
    reporter_ = new testing::RecordingReporter;
    demo_ = new Demo;
    demo_->settings.fullscreen = 0;
    demo_->settings.multisampling = 0;
    demo_->settings.width = kWidth;
    demo_->settings.height = kHeight;
    ready_ = openWindow(demo_->settings, kWidth, kHeight) && loadGlEntryPoints() && initGlState(*demo_) &&
             buildShaderCatalogue(demo_->shaders, demo_->settings);
    if (!ready_) return;
    runLoadingSequence(*demo_);
    ready_ = openSyncTracks(*demo_);
  }

  static void TearDownTestSuite() {
    delete demo_;
    glfwTerminate();
    delete reporter_;
    delete cwd_;
  }

  void SetUp() override {
    if (!cwd_) GTEST_SKIP() << "the sample demo has not been generated";
    ASSERT_TRUE(ready_);
    ASSERT_TRUE(reporter_->messages().empty()) << reporter_->messages()[0];
  }

  // The first row at or after `from` whose tracks satisfy `wanted`.
  template <typename Predicate>
  static double findRow(double from, Predicate wanted) {
    for (double row = from; row < 1792.0; row += 1.0) {
      if (wanted(demo_->tracks.evaluate(row))) return row;
    }
    return -1.0;
  }

  // Draws the frame of `row` into the back buffer, as the main loop would at that time.
  static void drawRow(double row) {
    FixedClock clock(row / kRowsPerSecond);
    FrameRenderer renderer(frameSources(*demo_), demo_->tracks, clock);
    renderer.setPresenter([] {});
    float spectrum[kSpectrumBins] = {};
    renderer.renderFrame(row, spectrum);
    glFinish();
  }

  static inline testing::ScopedWorkingDirectory* cwd_ = nullptr;
  static inline testing::RecordingReporter* reporter_ = nullptr;
  static inline Demo* demo_ = nullptr;
  static inline bool ready_ = false;
};

TEST_F(SampleDemoFrames, LoadsEverythingWithoutAMessage) {
  EXPECT_GE(demo_->models.count(), 3u);
  for (const TextureSequence& sequence : demo_->sequences) EXPECT_GE(sequence.count(), 16u);
  EXPECT_FALSE(demo_->maya.paths().empty());
  ASSERT_TRUE(demo_->textOverlay);
  EXPECT_GE(demo_->textOverlay->lines().size(), 10u);
}

TEST_F(SampleDemoFrames, PictureSceneFillsTheLetterboxedViewport) {
  const double row = findRow(0.0, [](const TrackValues& t) {
    return t[kSceneNum] == 1.0f && t[kAnimNum] >= 1.0f && t[kAnimAlpha] > 0.9f;
  });
  ASSERT_GE(row, 0.0);
  glClearColor(1, 1, 1, 1);  // the bars must come out black from the frame's own clear
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0, 0, 0, 0);
  drawRow(row);
  EXPECT_LT(averageOf(0, 0, kWidth, kBar).brightness(), 1.0);
  EXPECT_LT(averageOf(0, kHeight - kBar, kWidth, kBar).brightness(), 1.0);
  EXPECT_GT(averageOf(0, kBar, kWidth, kHeight - 2 * kBar).brightness(), 10.0);
}

TEST_F(SampleDemoFrames, ThreeDSceneShowsSkyAboveAndLandBelow) {
  const double row = findRow(0.0, [](const TrackValues& t) { return t[kSceneNum] == 2.0f; });
  ASSERT_GE(row, 0.0);
  drawRow(row + 20.0);
  const Average top = averageOf(0, kHeight - kBar - 60, kWidth, 50);
  const Average bottom = averageOf(0, kBar + 10, kWidth, 50);
  EXPECT_GT(top.brightness(), 20.0) << "no sky";
  EXPECT_GT(top.b, top.r) << "the sky is not blue";
  EXPECT_GT(bottom.brightness(), 10.0) << "no land";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(reporter_->messages().empty());
}

}  // namespace
}  // namespace quintaval
