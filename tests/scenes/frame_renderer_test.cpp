// The frame renderer driven by a fixed clock and track files written by the test, in a
// real GL context: what each scene value draws, read back from the framebuffer, and the
// uniforms the 3D scene sets.
#include "scenes/frame_renderer.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "assets/test_images.h"
#include "assets/texture_library.h"
#include "geometry/maya_scene.h"
#include "render/model_library.h"
#include "render/post_processor.h"
#include "render/shader_program.h"
#include "support/gl_test_context.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "sync/track_file.h"
#include "timeline/fixed_clock.h"

namespace quintaval {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 320;
constexpr int kHeight = 180;

class FrameRendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(context.ok());
    // The program's shaders, under the relative paths the code uses.
    fs::create_directories(dir.path() / "Data");
    fs::create_directory_symlink(fs::path(std::getenv("QV_SOURCE_DIR")) / "data/shaders", dir.path() / "Data/Shaders");
    glViewport(0, 0, kWidth, kHeight);
    post = std::make_unique<PostProcessor>(false, kWidth, kHeight);
    ASSERT_FALSE(post->failed);
    modelShader = std::make_unique<ShaderProgram>("Data/Shaders/Model.vert", "Data/Shaders/Model.frag");
    ASSERT_EQ(modelShader->compileStatus(), 1);

    // Sequence 1: red, green, blue frames.
    const std::string sequenceDir = (dir.path() / "seq/").string();
    fs::create_directories(sequenceDir);
    ASSERT_TRUE(testing::writePng(sequenceDir + "a.png", 4, 4, {255, 0, 0, 255}));
    ASSERT_TRUE(testing::writePng(sequenceDir + "b.png", 4, 4, {0, 255, 0, 255}));
    ASSERT_TRUE(testing::writePng(sequenceDir + "c.png", 4, 4, {0, 0, 255, 255}));
    sequence.loadDirectory(sequenceDir);
    ASSERT_EQ(sequence.count(), 3u);
  }

  // Writes constant tracks (one step key each) and builds a renderer over them.
  void useTracks(const std::map<std::string, float>& values) {
    fs::create_directories(dir.path() / "Data/Rocket");
    for (const auto& [name, value] : values) {
      ASSERT_TRUE(writeTrackFile("Data/Rocket/sync_" + name + ".track", {{0, value, kSyncStep}}));
    }
    device = SyncDevice::create("Data/Rocket/sync");
    tracks.request(*device);
    FrameSources sources;
    sources.postProcessor = post.get();
    sources.sequences[0] = &sequence;
    sources.models = &models;
    sources.maya = &maya;
    sources.modelShader = modelShader.get();
    renderer = std::make_unique<FrameRenderer>(sources, tracks, clock);
    renderer->setPresenter([this] { ++presents; });
  }

  std::array<unsigned char, 4> centrePixel() {
    auto pixels = testing::GlTestContext::readPixels(kWidth / 2, kHeight / 2, 1, 1);
    return {pixels[0], pixels[1], pixels[2], pixels[3]};
  }

  void fillWith(float r, float g, float b) {
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  }

  testing::RecordingReporter reporter;
  testing::GlTestContext context{kWidth, kHeight};
  testing::TempDir dir;
  testing::ScopedWorkingDirectory cwd{dir.path()};
  std::unique_ptr<PostProcessor> post;
  std::unique_ptr<ShaderProgram> modelShader;
  TextureSequence sequence;
  ModelLibrary models;
  MayaScene maya;
  std::unique_ptr<SyncDevice> device;
  DemoTracks tracks;
  FixedClock clock{1.0};
  std::unique_ptr<FrameRenderer> renderer;
  int presents = 0;
};

TEST_F(FrameRendererTest, SceneBetweenTwoValuesDrawsNothingButPresents) {
  useTracks({{"scene.num", 2.5f}});
  fillWith(1.0f, 0.0f, 1.0f);
  renderer->renderFrame();
  EXPECT_EQ(presents, 1);
  auto p = centrePixel();
  EXPECT_EQ(p[0], 255);
  EXPECT_EQ(p[1], 0);
  EXPECT_EQ(p[2], 255);
}

TEST_F(FrameRendererTest, PictureSceneWithoutASequenceClearsToBlack) {
  useTracks({{"scene.num", 1.0f}, {"anim.num", 0.0f}, {"anim.alpha", 1.0f}});
  fillWith(1.0f, 1.0f, 1.0f);
  renderer->renderFrame();
  auto p = centrePixel();
  EXPECT_EQ(p[0] + p[1] + p[2], 0);
  EXPECT_EQ(presents, 1);
}

TEST_F(FrameRendererTest, SequencePositionIsClampedToFirstAndLastFrames) {
  useTracks({{"scene.num", 3.0f}, {"anim.num", 1.0f}, {"anim.alpha", 1.0f}, {"anim.pos", -0.5f}});
  renderer->renderFrame();
  auto first = centrePixel();
  EXPECT_EQ(first[0], 255);
  EXPECT_EQ(first[1], 0);

  device.reset();
  fs::remove_all(dir.path() / "Data/Rocket");
  useTracks({{"scene.num", 1.0f}, {"anim.num", 1.0f}, {"anim.alpha", 1.0f}, {"anim.pos", 1.5f}});
  renderer->renderFrame();
  auto last = centrePixel();
  EXPECT_EQ(last[0], 0);
  EXPECT_EQ(last[2], 255);
}

TEST_F(FrameRendererTest, ThreeDSceneSetsLightDefaultsAndTheEyeAtTheLookAtPoint) {
  maya.readMayaText("//Maya ASCII\ncreateNode pointLight -n \"l\";\n", "Data/Maya/Light1.ma");
  useTracks({{"scene.num", 2.0f}, {"camview.x", 1.0f}, {"camview.y", 2.0f}, {"camview.z", 3.0f},
             {"cam.roll", 90.0f}, {"fov", 45.0f}});
  renderer->renderFrame();
  EXPECT_EQ(presents, 1);

  const GLuint program = modelShader->program;
  auto uniform = [&](const char* name, int size) {
    std::vector<float> v(size, -99.0f);
    GLint location = glGetUniformLocation(program, name);
    EXPECT_GE(location, 0) << name;
    if (location >= 0) glGetUniformfv(program, location, v.data());
    return v;
  };
  EXPECT_EQ(uniform("LightColor2", 4), (std::vector<float>{1, 1, 1, 1}));
  EXPECT_EQ(uniform("LightIntensity2", 1), (std::vector<float>{1}));
  EXPECT_EQ(uniform("fvLightPosition2", 3), (std::vector<float>{0, 0, 0}));
  EXPECT_EQ(uniform("fvEyePosition", 3), (std::vector<float>{1, 2, 3}));
  EXPECT_EQ(uniform("Ambient", 4), (std::vector<float>{1, 1, 1, 1}));

  // No "CamCurve.ma": the camera stands at the unknown-path point (1, 1, 1).
  EXPECT_FLOAT_EQ(renderer->cameraPosition().x, 1.0f);
  EXPECT_FLOAT_EQ(renderer->cameraPosition().z, 1.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(reporter.messages().empty());
}

}  // namespace
}  // namespace quintaval
