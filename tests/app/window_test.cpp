// Opens the program's real window under Xvfb and checks the context and GL state it gets.
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "app/gl_state.h"
#include "app/window.h"
#include "support/recording_reporter.h"

namespace quintaval {
namespace {

class WindowTest : public ::testing::Test {
 protected:
  void TearDown() override { glfwTerminate(); }
  testing::RecordingReporter reporter;
};

TEST_F(WindowTest, OpensACoreContextWithTheLetterboxedState) {
  DemoSettings settings;
  settings.fullscreen = false;
  settings.multisampling = false;
  settings.width = 640;
  settings.height = 512;
  ASSERT_TRUE(openWindow(settings, settings.width, settings.height));
  ASSERT_TRUE(loadGlEntryPoints());
  EXPECT_TRUE(reporter.messages().empty());

  GLFWwindow* window = glfwGetCurrentContext();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_OPENGL_PROFILE), GLFW_OPENGL_CORE_PROFILE);
  GLint major = 0, minor = 0;
  glGetIntegerv(GL_MAJOR_VERSION, &major);
  glGetIntegerv(GL_MINOR_VERSION, &minor);
  EXPECT_GE(major * 10 + minor, 33);
  EXPECT_EQ(glfwGetWindowAttrib(window, GLFW_RESIZABLE), GLFW_FALSE);
  EXPECT_EQ(glfwGetInputMode(window, GLFW_STICKY_KEYS), GLFW_TRUE);
  EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_HIDDEN);

  initViewportAndState(settings);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 76);  // (512 - 360) / 2
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 360);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLint depthFunc = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
  EXPECT_EQ(depthFunc, GL_LESS);
  GLint vertexArray = 0;
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray);
  EXPECT_NE(vertexArray, 0);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(WindowTest, MultisamplingAsksForFourSamples) {
  DemoSettings settings;
  settings.fullscreen = false;
  settings.multisampling = true;
  ASSERT_TRUE(openWindow(settings, 320, 180));
  ASSERT_TRUE(loadGlEntryPoints());
  GLint samples = 0;
  glGetIntegerv(GL_SAMPLES, &samples);
  EXPECT_EQ(samples, 4);
}

TEST_F(WindowTest, ImpossibleWindowReportsItsMessage) {
  DemoSettings settings;
  settings.fullscreen = false;
  EXPECT_FALSE(openWindow(settings, 0, 0));
  ASSERT_EQ(reporter.messages().size(), 1u);
  EXPECT_EQ(reporter.messages()[0], "Unable to open window!");

  reporter.clear();
  settings.fullscreen = true;
  EXPECT_FALSE(openWindow(settings, 0, 0));
  EXPECT_FALSE(openWindow(settings, -5, 10));
  ASSERT_EQ(reporter.messages().size(), 2u);
  EXPECT_EQ(reporter.messages()[0], "Unable to open screen!");
  EXPECT_EQ(reporter.messages()[1], "Unable to open screen!");
}

}  // namespace
}  // namespace quintaval
