// Render targets on llvmpipe: multisampled targets use 4 samples whatever the window has,
// resolve copies colour only (exactly, also outside 0..1) and returns to the window's
// framebuffer and the viewport saved at construction; an incomplete target is reported (a
// multisampled one in the post-processor's test).
#include "render/render_target.h"

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

TEST_F(RenderTargetTest, IncompleteFramebufferIsReportedAndFlagged) {
  RenderTarget single(0, 0, 0);
  EXPECT_TRUE(single.failed);
  EXPECT_NE(single.status, static_cast<unsigned>(GL_FRAMEBUFFER_COMPLETE));
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Failed to initialize FBO!"});
}

}  // namespace
}  // namespace quintaval
