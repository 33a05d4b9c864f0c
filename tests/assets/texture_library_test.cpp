#include "assets/texture_library.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "assets/test_images.h"
#include "support/gl_test_context.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

class TextureLibraryTest : public ::testing::Test {
 protected:
  // One context for the whole suite: every context closed drops the connection to the
  // X server, which may then reset and refuse the next test's connection for a moment.
  static void SetUpTestSuite() { context_ = new testing::GlTestContext(); }
  static void TearDownTestSuite() { delete context_; }
  void SetUp() override { ASSERT_TRUE(context_->ok()); }

  // Makes `relative` holding small pictures of the given names; returns it with "/".
  std::string pictures(const std::string& relative, std::initializer_list<const char*> names) {
    std::filesystem::create_directories(dir_.path() / relative);
    std::string directory = (dir_.path() / relative).string() + "/";
    for (std::string name : names) {
      bool jpeg = name.size() > 4 && name.compare(name.size() - 4, 4, ".jpg") == 0;
      jpeg ? testing::writeJpg(directory + name, 4, 4, {}) : testing::writePng(directory + name, 4, 4, {});
    }
    return directory;
  }

  static std::vector<std::string> names(const TextureLibrary& library) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < library.count(); ++i) result.push_back(library.entry(i).name);
    return result;
  }

  static testing::GlTestContext* context_;
  testing::TempDir dir_;
  testing::RecordingReporter reporter_;
};

testing::GlTestContext* TextureLibraryTest::context_ = nullptr;

TEST_F(TextureLibraryTest, DirectoryLoadSortsAllEntriesByNameAsBytes) {
  std::string mixed = pictures("Mixed", {"b.jpg", "a.png", "c.jpg"});
  TextureSequence sequence;
  sequence.loadDirectory(mixed);
  EXPECT_EQ(names(sequence), (std::vector<std::string>{"a.png", "b.jpg", "c.jpg"}));
  EXPECT_EQ(sequence.entry(1).path, mixed + "b.jpg");

  TextureLibrary library;
  ASSERT_TRUE(library.loadImage(mixed + "c.jpg", "b.jpg"));  // loaded earlier, sorted too
  library.loadDirectory(pictures("Frames", {"frame2.png", "frame10.png", "a.png", "Z.png"}));
  EXPECT_EQ(names(library),
            (std::vector<std::string>{"Z.png", "a.png", "b.jpg", "frame10.png", "frame2.png"}));
  EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(TextureLibraryTest, FrameAtPicksByTruncatedPosition) {
  TextureSequence sequence;
  sequence.loadDirectory(pictures("Five", {"f0.png", "f1.png", "f2.png", "f3.png", "f4.png"}));
  ASSERT_EQ(sequence.count(), 5u);
  const float positions[] = {-0.2f, 0.0f, 0.24f, 0.25f, 0.999f, 1.0f, 1.5f,
                             std::numeric_limits<float>::quiet_NaN()};
  const std::size_t frames[] = {0, 0, 0, 1, 3, 4, 4, 0};
  for (std::size_t i = 0; i < std::size(positions); ++i) {
    EXPECT_EQ(sequence.frameAt(positions[i]), sequence.entry(frames[i]).texture) << positions[i];
  }
  TextureSequence empty;
  empty.loadDirectory(dir_.path().string() + "/Missing/");
  EXPECT_EQ(empty.frameAt(0.5f), 0u);
}

TEST_F(TextureLibraryTest, CorruptImageIsReportedByNameAndSkipped) {
  std::string directory = pictures("Sequence", {"a.png", "c.jpg"});
  testing::writeCorruptImage(directory + "b.png");
  TextureSequence sequence;
  sequence.loadDirectory(directory);
  EXPECT_EQ(reporter_.messages(), std::vector<std::string>{"DevIL failed to load: b.png"});
  EXPECT_EQ(names(sequence), (std::vector<std::string>{"a.png", "c.jpg"}));
}

TEST_F(TextureLibraryTest, PictureBeyondTheTextureSizeLimitIsReportedAndSkipped) {
  GLint limit = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
  std::string directory = pictures("Wide", {"a.png"});
  ASSERT_TRUE(testing::writePng(directory + "wide.png", limit + 1, 1, {}));
  TextureSequence sequence;
  sequence.loadDirectory(directory);
  const std::string side = std::to_string(limit);
  EXPECT_EQ(reporter_.messages(), std::vector<std::string>{"Image too large for a texture: wide.png is " +
                                                           std::to_string(limit + 1) + " x 1, the limit is " +
                                                           side + " x " + side});
  EXPECT_EQ(names(sequence), std::vector<std::string>{"a.png"});
}

TEST_F(TextureLibraryTest, LookupByNameIsExactAndFindsTheFirstEntry) {
  std::string first = pictures("First", {"Font.png"});
  std::string second = pictures("Second", {"Font.png"});
  TextureLibrary library;
  ASSERT_TRUE(library.loadImage(first + "Font.png", "Font.png"));
  ASSERT_TRUE(library.loadImage(second + "Font.png", "Font.png"));
  EXPECT_NE(library.entry(0).texture, library.entry(1).texture);
  EXPECT_EQ(library.textureByName("Font.png"), library.entry(0).texture);
  EXPECT_EQ(library.textureByName("font.png"), 0u);
}

TEST_F(TextureLibraryTest, TextureRowZeroIsThePicturesBottomRow) {
  const testing::Rgba top{255, 0, 0, 255}, bottom{0, 0, 255, 255};
  std::string directory = pictures("Pictures", {});
  ASSERT_TRUE(testing::writeStripedPng(directory + "Loading.png", 2, {top, top, top, bottom}));
  TextureLibrary library;
  library.loadDirectory(directory);
  ASSERT_NE(library.textureByName("Loading.png"), 0u);
  EXPECT_EQ(library.entry(0).height, 4);

  std::vector<unsigned char> pixels(2 * 4 * 4);
  glBindTexture(GL_TEXTURE_2D, library.textureByName("Loading.png"));
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  EXPECT_TRUE(std::equal(bottom.begin(), bottom.end(), pixels.begin()));
  EXPECT_TRUE(std::equal(top.begin(), top.end(), pixels.end() - 4));
  GLint minFilter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
}

}  // namespace
}  // namespace quintaval
