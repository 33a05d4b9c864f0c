// The overlay over a cleared frame in a hidden window: it draws its panels inside the
// window without covering each other, the log follows its newest entry, the GL state the
// demo's next frame relies on is as before, and the window's own key callback still runs.
#include "author/author_overlay.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <imgui_internal.h>

#include <array>

#include "author/author_log.h"
#include "author/sync_panel.h"
#include "author/transport.h"
#include "support/gl_test_context.h"
#include "playback/music_clock.h"

namespace quintaval {
namespace {

int keysSeen = 0;
void countKey(GLFWwindow*, int, int, int, int) { ++keysSeen; }

// Viewport, blending, depth test, vertex array, program, draw framebuffer, scissor test.
std::array<GLint, 10> demoState() {
  std::array<GLint, 10> state{};
  glGetIntegerv(GL_VIEWPORT, &state[0]);
  state[4] = glIsEnabled(GL_BLEND);
  state[5] = glIsEnabled(GL_DEPTH_TEST);
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &state[6]);
  glGetIntegerv(GL_CURRENT_PROGRAM, &state[7]);
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &state[8]);
  state[9] = glIsEnabled(GL_SCISSOR_TEST);
  return state;
}

OverlaySnapshot sampleSnapshot() {
  OverlaySnapshot snapshot;
  snapshot.seconds = 40.0;
  snapshot.loop = {30.0, 50.0};
  snapshot.frameMilliseconds = {16.0f, 17.5f, 15.0f};
  snapshot.plotFrom = 36.0;
  snapshot.plotTo = 44.0;
  for (int i = 0; i < kDemoTrackCount; ++i) {
    snapshot.tracks.push_back({kDemoTrackNames[i], 1.0f, {0.0f, 1.0f, 0.5f}, {{510, 1.0f, kSyncLinear}}});
  }
  snapshot.spectrum.fill(0.25f);
  snapshot.shakeBins = {3, 40};
  snapshot.log = {{1.0, "Model.frag: 0:12: error: syntax error", true}, {2.0, "reloaded Model.frag", false}};
  snapshot.log.resize(100, {3.0, "reloaded Zeppelin.obj", false});
  return snapshot;
}

TEST(AuthorOverlayGl, DrawsOverTheFrameAndLeavesTheDemosGlStateAsFound) {
  testing::GlTestContext gl(1280, 720);
  ASSERT_TRUE(gl.ok());
  glfwSetKeyCallback(gl.window(), countKey);
  MusicClock clock;
  Transport transport(clock);
  std::vector<SyncTrack> tracks(kDemoTrackCount, SyncTrack{"t", {{510, 1.0f, kSyncLinear}}});
  std::vector<SyncTrack*> edited;
  for (SyncTrack& track : tracks) edited.push_back(&track);
  TrackEditor editor(edited);
  AuthorLog log;
  SyncPanel panel(editor, transport, log);
  OverlaySnapshot snapshot = sampleSnapshot();
  panel.fillGrid(40.0, snapshot.sync);
  {
    AuthorOverlay overlay(gl.window());
    EXPECT_FALSE(overlay.visible());
    overlay.showSyncPanel();
    // The demo's state between frames: a letterboxed viewport, depth test on, no blending.
    glViewport(0, 20, 640, 320);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    const auto before = demoState();
    for (int frame = 0; frame < 3; ++frame) {  // ImGui lays windows out and scrolls a frame late
      glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      overlay.draw(snapshot, transport, panel);
    }
    EXPECT_EQ(demoState(), before);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const std::vector<unsigned char> pixels = testing::GlTestContext::readPixels(0, 0, 1280, 720);
    int changed = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 4) changed += pixels[i] != 0 || pixels[i + 2] != 255;
    EXPECT_GT(changed, 1280 * 720 / 10);

    std::vector<ImRect> placed;
    for (const char* name : {"##timeline", "Tracks", "Now", "Log", "###sync"}) {
      const ImGuiWindow* panel = ImGui::FindWindowByName(name);
      ASSERT_NE(panel, nullptr) << name;
      EXPECT_TRUE(ImRect(0.0f, 0.0f, 1280.0f, 720.0f).Contains(panel->Rect())) << name;
      for (const ImRect& other : placed) EXPECT_FALSE(other.Overlaps(panel->Rect())) << name;
      placed.push_back(panel->Rect());
    }
    const ImGuiWindow* log = ImGui::FindWindowByName("Log");
    EXPECT_GT(log->ScrollMax.y, 0.0f);
    EXPECT_EQ(log->Scroll.y, log->ScrollMax.y);

    // The key callback ImGui installed calls the one set before it.
    GLFWkeyfun imguiKey = glfwSetKeyCallback(gl.window(), nullptr);
    ASSERT_NE(imguiKey, nullptr);
    EXPECT_NE(imguiKey, &countKey);
    imguiKey(gl.window(), GLFW_KEY_SPACE, 0, GLFW_PRESS, 0);
    EXPECT_EQ(keysSeen, 1);
    glfwSetKeyCallback(gl.window(), imguiKey);
  }
  // Shut down, the overlay gives the window its own callback back.
  EXPECT_EQ(glfwSetKeyCallback(gl.window(), nullptr), &countKey);
}

}  // namespace
}  // namespace quintaval
