// Render targets on llvmpipe: multisampled targets use 4 samples whatever the window has,
// resolve copies colour only (exactly, also outside 0..1) and returns to the window's
// framebuffer and the viewport saved at construction.
#include "render/render_target.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "render/render_fixture.h"

namespace quintaval {
namespace {

// Level 0 of the target's colour texture as floats, RGBA per pixel.
std::vector<float> texturePixels(const RenderTarget& target) {
  std::vector<float> pixels(static_cast<size_t>(target.width) * target.height * 4);
  glBindTexture(GL_TEXTURE_2D, target.colorTexture);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, pixels.data());
  return pixels;
}

std::array<int, 4> viewport() {
  std::array<int, 4> v{};
  glGetIntegerv(GL_VIEWPORT, v.data());
  return v;
}

// The fixture's window has no multisampling.
using RenderTargetTest = testing::RenderFixture;

TEST_F(RenderTargetTest, MultisampledTargetsUseFourSamplesWhateverTheWindowHas) {
  GLint windowSamples = -1;
  glGetIntegerv(GL_SAMPLES, &windowSamples);
  ASSERT_EQ(windowSamples, 0);

  RenderTarget target(1, 64, 32);
  ASSERT_FALSE(target.failed);
  EXPECT_EQ(target.samples, 4);
  GLint samples = 0;
  glBindRenderbuffer(GL_RENDERBUFFER, target.msColorBuffer);
  glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &samples);
  EXPECT_EQ(samples, 4);
  glBindRenderbuffer(GL_RENDERBUFFER, target.msDepthBuffer);
  glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &samples);
  EXPECT_EQ(samples, 4);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);

  RenderTarget single(0, 64, 32);
  EXPECT_EQ(single.samples, 0);
  EXPECT_EQ(single.mFBO, 0u);
}

TEST_F(RenderTargetTest, ResolveOfAMultisampledTargetCopiesColourButNotDepth) {
  RenderTarget target(7, 8, 8);  // any non-zero flag means multisampled
  ASSERT_FALSE(target.failed);
  ASSERT_TRUE(target.multisampled);

  // Give the resolve framebuffer a known depth, then draw a different one into mFBO.
  glBindFramebuffer(GL_FRAMEBUFFER, target.FBO);
  glClearDepth(1.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  target.bind();
  glClearColor(0.5f, 0.25f, 4.0f, 1.0f);
  glClearDepth(0.25);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glClearDepth(1.0);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  target.resolve();
  // The window's framebuffer is current again, the texture bound; floats are not clamped.
  GLint framebuffer = -1, texture = -1;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
  EXPECT_EQ(framebuffer, 0);
  EXPECT_EQ(texture, static_cast<GLint>(target.colorTexture));

  const std::vector<float> pixels = texturePixels(target);
  for (size_t i = 0; i < pixels.size(); i += 4) {
    ASSERT_EQ(pixels[i], 0.5f);
    ASSERT_EQ(pixels[i + 1], 0.25f);
    ASSERT_EQ(pixels[i + 2], 4.0f);
    ASSERT_EQ(pixels[i + 3], 1.0f);
  }

  glBindFramebuffer(GL_FRAMEBUFFER, target.FBO);
  float depth = 0.0f;
  glReadPixels(3, 3, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_EQ(depth, 1.0f);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST_F(RenderTargetTest, ResolveRestoresTheViewportSavedAtConstruction) {
  glViewport(10, 20, 300, 120);
  RenderTarget target(1, 16, 16);
  glViewport(1, 2, 3, 4);  // changed after construction: not what resolve returns to
  target.bind();
  EXPECT_EQ(viewport(), (std::array<int, 4>{0, 0, 16, 16}));
  target.resolve();
  EXPECT_EQ(viewport(), (std::array<int, 4>{10, 20, 300, 120}));

  // A resolve without a bind before it still blits and still restores the viewport.
  glViewport(5, 5, 5, 5);
  target.resolve();
  EXPECT_EQ(viewport(), (std::array<int, 4>{10, 20, 300, 120}));
}

TEST_F(RenderTargetTest, IncompleteFramebuffersAreReportedAndFlagged) {
  RenderTarget multisampled(1, 0, 0);
  EXPECT_TRUE(multisampled.failed);
  EXPECT_EQ(multisampled.colorTexture, 0u);  // stopped before the resolve framebuffer
  EXPECT_EQ(multisampled.FBO, 0u);
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Failed to initialize mFBO!"});

  reporter.clear();
  RenderTarget single(0, 0, 0);
  EXPECT_TRUE(single.failed);
  EXPECT_NE(single.status, static_cast<unsigned>(GL_FRAMEBUFFER_COMPLETE));
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Failed to initialize FBO!"});
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

}  // namespace
}  // namespace quintaval
