// The post-processor with the shipped Filters and Bokeh sources: its targets, the
// full-screen draw read back from the window, the offset, and the construction failures
// with their messages.
#include "render/post_processor.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/render_fixture.h"

namespace quintaval {
namespace {

using testing::currentProgram;

class PostProcessorTest : public testing::RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // A 1x1 RGBA8 texture of one colour, filtered linearly without mipmaps.
  static GLuint solidTexture(unsigned char r, unsigned char g, unsigned char b,
                             unsigned char a) {
    const unsigned char texel[4] = {r, g, b, a};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    return texture;
  }

  static void expectPixel(int x, int y, std::vector<int> rgb) {
    const auto pixel = pixelAt(x, y);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(pixel[i], rgb[i], 1) << "channel " << i << " at " << x << "," << y;
    }
  }
};

TEST_F(PostProcessorTest, OddWidthsRoundHalfTargetsDown) {
  PostProcessor post(0, 1365, 768);
  ASSERT_FALSE(post.failed);
  EXPECT_TRUE(reporter.messages().empty());
  for (const auto& target : post.fullTargets) {
    EXPECT_EQ(target->width, 1365);
    EXPECT_EQ(target->height, 768);
  }
  for (const auto& target : post.halfTargets) {
    EXPECT_EQ(target->width, 682);
    EXPECT_EQ(target->height, 384);
  }
  EXPECT_NE(post.quadBuffer, 0u);
  EXPECT_EQ(currentProgram(), 0);
}

TEST_F(PostProcessorTest, MultisamplingAppliesToTheFilterTargets) {
  PostProcessor single(0, 64, 36);
  ASSERT_FALSE(single.failed);
  for (const auto& target : single.fullTargets) EXPECT_EQ(target->samples, 0);
  for (const auto& target : single.halfTargets) EXPECT_EQ(target->samples, 0);

  PostProcessor multi(1, 64, 36);
  ASSERT_FALSE(multi.failed);
  for (const auto& target : multi.fullTargets) EXPECT_EQ(target->samples, 4);
  for (const auto& target : multi.halfTargets) EXPECT_EQ(target->samples, 4);
}

TEST_F(PostProcessorTest, DrawTextureBlendsAtAlphaAndRestoresState) {
  PostProcessor post(0, kWidth, kHeight);
  ASSERT_FALSE(post.failed);
  const GLuint texture = solidTexture(200, 100, 50, 255);

  // Whatever was set before, the draw leaves blending off and no program current.
  post.filterShader->use();
  glEnable(GL_BLEND);
  post.setOffset(0.0f, 0.0f);
  post.drawTexture(texture, 0.5f);
  EXPECT_EQ(currentProgram(), 0);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));

  expectPixel(0, 0, {100, 50, 25});
  expectPixel(kWidth / 2, kHeight / 2, {100, 50, 25});
  expectPixel(kWidth - 1, kHeight - 1, {100, 50, 25});

  // A second draw at full opacity replaces what is there.
  post.drawTexture(texture, 1.0f);
  expectPixel(kWidth / 2, kHeight / 2, {200, 100, 50});
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PostProcessorTest, OffsetIsTwiceTheGivenValuesAndShiftsThePicture) {
  PostProcessor post(0, kWidth, kHeight);
  ASSERT_FALSE(post.failed);
  post.setOffset(0.25f, -0.5f);
  EXPECT_EQ(currentProgram(), static_cast<int>(post.filterShader->program));
  GLfloat offset[2] = {};
  glGetUniformfv(post.filterShader->program,
                 glGetUniformLocation(post.filterShader->program, "offset"), offset);
  EXPECT_EQ(offset[0], 0.5f);
  EXPECT_EQ(offset[1], -1.0f);

  // Shifted right by a quarter of the viewport width: the left quarter stays black.
  post.setOffset(0.25f, 0.0f);
  post.drawTexture(solidTexture(255, 255, 255, 255), 1.0f);
  expectPixel(kWidth / 8, kHeight / 2, {0, 0, 0});
  expectPixel(kWidth / 2, kHeight / 2, {255, 255, 255});
}

TEST_F(PostProcessorTest, BrokenFilterShaderFailsConstruction) {
  breakShader("Filters.frag");
  PostProcessor post(0, kWidth, kHeight);
  EXPECT_TRUE(post.failed);
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Error compiling filter shader"});
  EXPECT_EQ(post.quadBuffer, 0u);
}

TEST_F(PostProcessorTest, BrokenBokehShaderFailsConstruction) {
  breakShader("Bokeh.frag");
  PostProcessor post(0, kWidth, kHeight);
  EXPECT_TRUE(post.failed);
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Error compiling bokeh shader"});
}

TEST_F(PostProcessorTest, IncompleteTargetStopsConstructionBeforeTheShaders) {
  PostProcessor post(1, 1, 1);  // half targets of 0 x 0 cannot be complete
  EXPECT_TRUE(post.failed);
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Failed to initialize mFBO!"});
  EXPECT_EQ(post.filterShader, nullptr);
  // A failed post-processor is a safe no-op for the per-frame helpers.
  post.setOffset(0.0f, 0.0f);
  post.drawTexture(0, 1.0f);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

}  // namespace
}  // namespace quintaval
