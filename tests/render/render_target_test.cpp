// Render targets on llvmpipe: multisampled targets use 4 samples whatever the window has,
// resolve copies colour only (exactly, also outside 0..1) and returns to the window's
// framebuffer and the viewport saved at construction; storage is full size from first use;
// an incomplete target is reported (a multisampled one in the post-processor's test).
#include "render/render_target.h"

#include <algorithm>
#include <array>

#include "support/gl_fixture.h"

namespace quintaval {
namespace {

class RenderTargetTest : public testing::GlFixture {
 protected:
  static std::array<int, 4> viewport() {
    std::array<int, 4> v{};
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
  }
  static GLint samplesOf(GLuint renderbuffer) {
    GLint samples = -1;
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &samples);
    return samples;
  }
  static std::array<int, 2> textureSize(GLuint texture) {
    std::array<int, 2> size{-1, -1};
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[0]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[1]);
    return size;
  }
  static std::array<int, 2> renderbufferSize(GLuint renderbuffer) {
    std::array<int, 2> size{-1, -1};
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &size[0]);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_HEIGHT, &size[1]);
    return size;
  }
};

// The resolve framebuffer gets a known depth, the multisampled one other colour and depth.
TEST_F(RenderTargetTest, ResolveCopiesColourButNotDepthAndRestoresTheViewportOfConstruction) {
  glViewport(10, 20, 300, 120);
  RenderTarget target(7, 8, 8);  // any non-zero flag means multisampled
  ASSERT_FALSE(target.failed);
  EXPECT_EQ(samplesOf(target.msColorBuffer), 4);  // the fixture's window has none
  EXPECT_EQ(samplesOf(target.msDepthBuffer), 4);
  glViewport(1, 2, 3, 4);  // changed after construction: not what resolve returns to
  glBindFramebuffer(GL_FRAMEBUFFER, target.FBO);
  glClear(GL_DEPTH_BUFFER_BIT);
  target.bind();
  EXPECT_EQ(viewport(), (std::array<int, 4>{0, 0, 8, 8}));
  glClearColor(0.5f, 0.25f, 4.0f, 1.0f);
  glClearDepth(0.25);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  target.resolve();
  // The window's framebuffer is current again, the texture bound; floats are not clamped.
  EXPECT_EQ(viewport(), (std::array<int, 4>{10, 20, 300, 120}));
  EXPECT_EQ(glInteger(GL_FRAMEBUFFER_BINDING), 0);
  EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), static_cast<GLint>(target.colorTexture));
  std::vector<float> expected;
  for (int i = 0; i < 64; ++i) expected.insert(expected.end(), {0.5f, 0.25f, 4.0f, 1.0f});
  EXPECT_EQ(texels(target.colorTexture, 64), expected);
  glBindFramebuffer(GL_FRAMEBUFFER, target.FBO);
  float depth = 0.0f;
  glReadPixels(3, 3, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_EQ(depth, 1.0f);
}

// The second of two targets sharing multisampled buffers is used first: the shared buffers
// still come full size, and the texture bound before stays bound.
TEST_F(RenderTargetTest, StorageIsFullSizeFromFirstBindOrResolveAlsoWhenShared) {
  RenderTarget first(1, 8, 4);
  RenderTarget second(1, 8, 4, &first);
  ASSERT_FALSE(first.failed || second.failed);
  ASSERT_EQ(second.msColorBuffer, first.msColorBuffer);
  EXPECT_EQ(textureSize(second.colorTexture), (std::array<int, 2>{1, 1}));
  EXPECT_EQ(renderbufferSize(first.msColorBuffer), (std::array<int, 2>{1, 1}));
  glBindTexture(GL_TEXTURE_2D, first.colorTexture);
  second.bind();
  EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), static_cast<GLint>(first.colorTexture));
  EXPECT_EQ(textureSize(second.colorTexture), (std::array<int, 2>{8, 4}));
  EXPECT_EQ(renderbufferSize(second.depthBuffer), (std::array<int, 2>{8, 4}));
  EXPECT_EQ(renderbufferSize(first.msColorBuffer), (std::array<int, 2>{8, 4}));
  EXPECT_EQ(renderbufferSize(first.msDepthBuffer), (std::array<int, 2>{8, 4}));
  EXPECT_EQ(textureSize(first.colorTexture), (std::array<int, 2>{1, 1}));
  first.resolve();
  EXPECT_EQ(textureSize(first.colorTexture), (std::array<int, 2>{8, 4}));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The stand-in storage does not hide a size GL cannot hold.
TEST_F(RenderTargetTest, TargetLargerThanGlCanHoldFailsAtConstruction) {
  RenderTarget huge(0, std::min(glInteger(GL_MAX_TEXTURE_SIZE), glInteger(GL_MAX_RENDERBUFFER_SIZE)) + 1, 4);
  EXPECT_TRUE(huge.failed);
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Failed to initialize FBO!"});
}

TEST_F(RenderTargetTest, IncompleteFramebufferIsReportedAndFlagged) {
  RenderTarget single(0, 0, 0);
  EXPECT_TRUE(single.failed);
  EXPECT_NE(single.status, static_cast<unsigned>(GL_FRAMEBUFFER_COMPLETE));
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Failed to initialize FBO!"});
}

}  // namespace
}  // namespace quintaval
