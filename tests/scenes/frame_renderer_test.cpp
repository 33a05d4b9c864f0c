// The frame renderer at a fixed time and on track files written by the test, in a real GL
// context: what each scene value draws, read back from the framebuffer, and the uniforms
// the 3D scene sets. It links no audio library: a frame is drawn from a time alone.
#include "scenes/frame_renderer.h"

#include <map>

#include "assets/test_images.h"
#include "assets/texture_library.h"
#include "geometry/maya_scene.h"
#include "render/model_library.h"
#include "render/post_processor.h"
#include "render/scene_shaders.h"
#include "support/gl_fixture.h"
#include "sync/track_file.h"

namespace quintaval {
namespace {

namespace fs = std::filesystem;

class FrameRendererTest : public testing::GlFixture {
 protected:
  void SetUp() override {
    GlFixture::SetUp();
    post = std::make_unique<PostProcessor>(shaders, false, kWidth, kHeight);
    ASSERT_FALSE(post->failed);
    ASSERT_TRUE(buildSceneShaders(shaders, DemoSettings{}));
    // Sequence 1: red, green, blue frames.
    const std::string frames = (dir.path() / "seq/").string();
    fs::create_directories(frames);
    const std::pair<const char*, testing::Rgba> pictures[] = {
        {"a.png", {255, 0, 0, 255}}, {"b.png", {0, 255, 0, 255}}, {"c.png", {0, 0, 255, 255}}};
    for (const auto& [name, rgba] : pictures) ASSERT_TRUE(testing::writePng(frames + name, 4, 4, rgba));
    sequence.loadDirectory(frames);
  }

  // Writes constant tracks (one step key each; over those written before, the rest stay)
  // and builds a renderer over them.
  void useTracks(const std::map<std::string, float>& values) {
    fs::create_directories("Data/Rocket");
    for (const auto& [name, value] : values) {
      ASSERT_TRUE(writeTrackFile("Data/Rocket/sync_" + name + ".track", {{0, value, kSyncStep}}));
    }
    device = SyncDevice::create("Data/Rocket/sync");
    tracks.request(*device);
    const FrameSources sources{post.get(), {&sequence}, nullptr, &models, &maya, &shaders};
    renderer = std::make_unique<FrameRenderer>(sources, tracks);
  }

  ShaderLibrary shaders;
  std::unique_ptr<PostProcessor> post;
  TextureSequence sequence;
  ModelLibrary models;
  MayaScene maya;
  std::unique_ptr<SyncDevice> device;
  DemoTracks tracks;
  FrameTime time{1.0, 14.0, {}};
  std::unique_ptr<FrameRenderer> renderer;
};

// Over a magenta frame: a scene value that names no scene draws nothing, a picture scene
// without a sequence clears to black, and the sequence position is clamped to its first
// and last frames.
TEST_F(FrameRendererTest, EachSceneValueDrawsItsPicture) {
  const std::pair<std::map<std::string, float>, Rgb> cases[] = {
      {{{"scene.num", 2.5f}}, {255, 0, 255}},
      {{{"scene.num", 1}, {"anim.num", 0}, {"anim.alpha", 1}}, {0, 0, 0}},
      {{{"scene.num", 3}, {"anim.num", 1}, {"anim.alpha", 1}, {"anim.pos", -0.5f}}, {255, 0, 0}},
      {{{"scene.num", 1}, {"anim.num", 1}, {"anim.alpha", 1}, {"anim.pos", 1.5f}}, {0, 0, 255}}};
  for (const auto& [values, centre] : cases) {
    useTracks(values);
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    renderer->renderFrame(time);
    expectPixel(kWidth / 2, kHeight / 2, centre, 0);
  }
}

TEST_F(FrameRendererTest, ThreeDSceneSetsLightDefaultsAndTheEyeAtTheLookAtPoint) {
  maya.readMayaText("//Maya ASCII\ncreateNode pointLight -n \"l\";\n", "Data/Maya/Light1.ma");
  useTracks({{"scene.num", 2.0f}, {"camview.x", 1.0f}, {"camview.y", 2.0f}, {"camview.z", 3.0f},
             {"cam.roll", 90.0f}, {"fov", 45.0f}});
  renderer->renderFrame(time);
  const std::pair<const char*, std::vector<float>> uniforms[] = {
      {"LightColor2", {1, 1, 1, 1}}, {"LightIntensity2", {1}}, {"fvLightPosition2", {0, 0, 0}},
      {"fvEyePosition", {1, 2, 3}},  {"Ambient", {1, 1, 1, 1}}};
  for (const auto& [name, values] : uniforms) {
    EXPECT_EQ(uniformValues(shaders.find("Model")->program, name, values.size()), values) << name;
  }
  // No "CamCurve.ma": the camera stands at the unknown-path point (1, 1, 1).
  EXPECT_TRUE(renderer->cameraPosition().x == 1.0f && renderer->cameraPosition().z == 1.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(reporter.messages().empty());
}

}  // namespace
}  // namespace quintaval
