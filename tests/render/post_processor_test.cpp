// The post-processor with the shipped Filters and Bokeh sources: its targets, the
// full-screen draw read back from the window, the offset, and the construction failures
// with their messages.
#include "render/post_processor.h"

#include "render/solid_color_texture.h"
#include "support/gl_fixture.h"

namespace quintaval {
namespace {

using PostProcessorTest = testing::GlFixture;

TEST_F(PostProcessorTest, HalfTargetsRoundOddSizesDownAndAllShareTheSampling) {
  ShaderLibrary shaders;
  PostProcessor post(shaders, 1, 65, 37);
  ASSERT_FALSE(post.failed);
  EXPECT_TRUE(reporter.messages().empty());
  const auto size = [](const auto& target) { return std::vector<int>{target->width, target->height, target->samples}; };
  for (const auto& target : post.fullTargets) EXPECT_EQ(size(target), (std::vector<int>{65, 37, 4}));
  for (const auto& target : post.halfTargets) EXPECT_EQ(size(target), (std::vector<int>{32, 18, 4}));
  EXPECT_NE(post.quadBuffer, 0u);
  EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), 0);
  EXPECT_EQ(shaders.count(), 2u);
  EXPECT_TRUE(shaders.find("Filters") && shaders.find("Bokeh"));
}

// Whatever was set before, a draw leaves blending off and no program current; at full
// opacity it replaces what is there. Shifted right by a quarter of the viewport width, the
// picture leaves the left quarter black.
TEST_F(PostProcessorTest, DrawTextureBlendsAtAlphaShiftedByTwiceTheOffset) {
  ShaderLibrary shaders;
  PostProcessor post(shaders, 0, kWidth, kHeight);
  ASSERT_FALSE(post.failed);
  const GLuint filters = shaders.find("Filters")->program;
  const GLuint texture = makeSolidColorTexture(Vec4{200 / 255.0f, 100 / 255.0f, 50 / 255.0f, 1.0f});
  glUseProgram(filters);
  glEnable(GL_BLEND);
  post.drawTexture(texture, 0.5f);
  EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), 0);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  expectRect(0, 0, kWidth, kHeight, {100, 50, 25});
  post.drawTexture(texture, 1.0f);
  expectPixel(kWidth / 2, kHeight / 2, {200, 100, 50});
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  post.setOffset(0.25f, -0.5f);
  EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), static_cast<int>(filters));
  EXPECT_EQ(uniformValues(filters, "offset", 2), (std::vector<float>{0.5f, -1.0f}));
  glClear(GL_COLOR_BUFFER_BIT);
  post.setOffset(0.25f, 0.0f);
  post.drawTexture(makeSolidColorTexture(Vec4{1.0f, 1.0f, 1.0f, 1.0f}), 1.0f);
  expectRect(0, 0, kWidth / 4 - 1, kHeight, {0, 0, 0});
  expectRect(kWidth / 4 + 1, 0, kWidth, kHeight, {255, 255, 255});
}

TEST_F(PostProcessorTest, BrokenShaderOrIncompleteTargetFailsConstructionWithItsMessage) {
  for (const auto& [file, message] : {std::pair{"Filters.frag", "Error compiling filter shader"},
                                      std::pair{"Bokeh.frag", "Error compiling bokeh shader"}}) {
    breakShader(file);
    ShaderLibrary shaders;
    PostProcessor post(shaders, 0, kWidth, kHeight);
    EXPECT_TRUE(post.failed);
    EXPECT_EQ(reporter.messages(), std::vector<std::string>{message});
    EXPECT_EQ(post.quadBuffer, 0u);
    restoreShader(file);
    reporter.clear();
  }
  ShaderLibrary shaders;
  PostProcessor post(shaders, 1, 1, 1);  // half targets of 0 x 0 cannot be complete: stops before the shaders
  EXPECT_TRUE(post.failed);
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Failed to initialize mFBO!"});
  EXPECT_EQ(shaders.count(), 0u);
  EXPECT_TRUE(post.halfTargets[0]->colorTexture == 0 && post.halfTargets[0]->FBO == 0);  // nor its resolve target
  post.setOffset(0.0f, 0.0f);  // a failed post-processor is a safe no-op for the per-frame helpers
  post.drawTexture(0, 1.0f);
}

}  // namespace
}  // namespace quintaval
