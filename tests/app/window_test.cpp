// Opens the program's real window under Xvfb and checks the context and GL state it gets.
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/gl_state.h"
#include "app/window.h"
#include "support/recording_reporter.h"

namespace quintaval {
namespace {

GLint integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

class WindowTest : public ::testing::Test {
 protected:
  // A window of that size, not full screen; true when it and the GL entry points are there.
  bool open(int width, int height, bool multisampling) {
    settings.fullscreen = false;
    settings.multisampling = multisampling;
    settings.width = width;
    settings.height = height;
    return window.open(settings, width, height) && loadGlEntryPoints();
  }
  void TearDown() override { window.close(); }

  DemoSettings settings;
  Window window;
  testing::RecordingReporter reporter;
};

TEST_F(WindowTest, OpensACoreContextWithTheLetterboxedState) {
  ASSERT_TRUE(open(640, 512, false));
  EXPECT_TRUE(reporter.messages().empty());
  GLFWwindow* handle = window.handle();
  ASSERT_EQ(handle, glfwGetCurrentContext());
  EXPECT_EQ(glfwGetWindowAttrib(handle, GLFW_OPENGL_PROFILE), GLFW_OPENGL_CORE_PROFILE);
  EXPECT_GE(integer(GL_MAJOR_VERSION) * 10 + integer(GL_MINOR_VERSION), 33);
  EXPECT_EQ(glfwGetWindowAttrib(handle, GLFW_RESIZABLE), GLFW_FALSE);
  EXPECT_EQ(glfwGetInputMode(handle, GLFW_STICKY_KEYS), GLFW_TRUE);
  EXPECT_EQ(glfwGetInputMode(handle, GLFW_CURSOR), GLFW_CURSOR_HIDDEN);

  initViewportAndState(settings);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 76, 640, 360}));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LESS);
  EXPECT_NE(integer(GL_VERTEX_ARRAY_BINDING), 0);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), std::vector<GLfloat>(4, 0.0f));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(WindowTest, MultisamplingAsksForFourSamples) {
  ASSERT_TRUE(open(320, 180, true));
  EXPECT_EQ(integer(GL_SAMPLES), 4);
}

// Author mode's listener gets presses and repeats (told apart) with their key and
// modifier bits; a release is not a key typed. The events go straight to the callback the window installed.
TEST_F(WindowTest, KeyListenerHearsPressesAndRepeatsButNotReleases) {
  ASSERT_TRUE(open(320, 180, false));
  std::vector<std::vector<int>> heard;
  window.onKey([&heard](int key, int mods, bool repeat) { heard.push_back({key, mods, repeat}); });
  GLFWkeyfun installed = glfwSetKeyCallback(window.handle(), nullptr);
  glfwSetKeyCallback(window.handle(), installed);
  ASSERT_NE(installed, nullptr);
  installed(window.handle(), GLFW_KEY_A, 0, GLFW_PRESS, GLFW_MOD_SHIFT);
  installed(window.handle(), GLFW_KEY_B, 0, GLFW_REPEAT, GLFW_MOD_CONTROL | GLFW_MOD_ALT);
  installed(window.handle(), GLFW_KEY_C, 0, GLFW_RELEASE, GLFW_MOD_SHIFT);
  EXPECT_EQ(heard, (std::vector<std::vector<int>>{{GLFW_KEY_A, GLFW_MOD_SHIFT, 0},
                                                  {GLFW_KEY_B, GLFW_MOD_CONTROL | GLFW_MOD_ALT, 1}}));
}

TEST_F(WindowTest, ImpossibleWindowReportsItsMessage) {
  settings.fullscreen = false;
  EXPECT_FALSE(window.open(settings, 0, 0));
  settings.fullscreen = true;
  EXPECT_FALSE(window.open(settings, 0, 0));
  EXPECT_FALSE(window.open(settings, -5, 10));
  EXPECT_FALSE(window.quitRequested());  // no window, nothing to quit
  EXPECT_EQ(reporter.messages(), (std::vector<std::string>{"Unable to open window!", "Unable to open screen!",
                                                            "Unable to open screen!"}));
}

}  // namespace
}  // namespace quintaval
