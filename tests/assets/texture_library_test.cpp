#include "assets/texture_library.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "assets/test_images.h"
#include "support/gl_test_context.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

using testing::Rgba;

class TextureLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(context_.ok()); }

  std::string directory(const std::string& relative) {
    std::filesystem::create_directories(dir_.path() / relative);
    return (dir_.path() / relative).string() + "/";
  }

  static std::vector<std::string> names(const TextureLibrary& library) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < library.count(); ++i) result.push_back(library.entry(i).name);
    return result;
  }

  testing::GlTestContext context_;
  testing::TempDir dir_;
  testing::RecordingReporter reporter_;
};

TEST_F(TextureLibraryTest, DirectoryLoadSortsAllEntriesByNameAsBytes) {
  std::string mixed = directory("Mixed");
  testing::writeJpg(mixed + "b.jpg", 4, 4, {10, 10, 10, 255});
  testing::writePng(mixed + "a.png", 4, 4, {20, 20, 20, 255});
  testing::writeJpg(mixed + "c.jpg", 4, 4, {30, 30, 30, 255});
  TextureSequence sequence;
  sequence.loadDirectory(mixed);
  EXPECT_EQ(names(sequence), (std::vector<std::string>{"a.png", "b.jpg", "c.jpg"}));
  EXPECT_EQ(sequence.entry(1).path, mixed + "b.jpg");
  EXPECT_EQ(sequence.directory(), mixed);

  std::string frames = directory("Frames");
  for (const char* name : {"frame2.png", "frame10.png", "a.png", "Z.png"}) {
    testing::writePng(frames + name, 2, 2, {0, 0, 0, 255});
  }
  TextureLibrary library;
  // An entry loaded before the directory takes part in the sort.
  ASSERT_TRUE(library.loadImage(mixed + "c.jpg", "b.jpg"));
  library.loadDirectory(frames);
  EXPECT_EQ(names(library),
            (std::vector<std::string>{"Z.png", "a.png", "b.jpg", "frame10.png", "frame2.png"}));
  EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(TextureLibraryTest, FrameAtPicksByTruncatedPosition) {
  std::string five = directory("Five");
  for (int i = 0; i < 5; ++i) testing::writePng(five + "f" + std::to_string(i) + ".png", 2, 2, {});
  TextureSequence sequence;
  sequence.loadDirectory(five);
  ASSERT_EQ(sequence.count(), 5u);

  const float positions[] = {-0.2f, 0.0f, 0.24f, 0.25f, 0.999f, 1.0f, 1.5f};
  const std::size_t frames[] = {0, 0, 0, 1, 3, 4, 4};
  for (std::size_t i = 0; i < std::size(positions); ++i) {
    EXPECT_EQ(sequence.frameAt(positions[i]), sequence.entry(frames[i]).texture)
        << "position " << positions[i];
  }
  EXPECT_EQ(sequence.frameAt(std::numeric_limits<float>::quiet_NaN()), sequence.entry(0).texture);

  std::string one = directory("One");
  testing::writePng(one + "only.png", 2, 2, {});
  TextureSequence single;
  single.loadDirectory(one);
  ASSERT_EQ(single.count(), 1u);
  for (float position : {0.0f, 0.5f, 1.0f}) EXPECT_EQ(single.frameAt(position), single.entry(0).texture);

  TextureSequence empty;
  empty.loadDirectory(directory("Empty"));
  empty.loadDirectory(dir_.path().string() + "/Missing/");
  EXPECT_EQ(empty.count(), 0u);
  EXPECT_EQ(empty.frameAt(0.5f), 0u);
  EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(TextureLibraryTest, CorruptImageIsReportedByNameAndSkipped) {
  std::string sequenceDir = directory("Sequence");
  testing::writePng(sequenceDir + "a.png", 2, 2, {});
  testing::writeCorruptImage(sequenceDir + "b.png");
  testing::writeJpg(sequenceDir + "c.jpg", 2, 2, {});
  TextureSequence sequence;
  sequence.loadDirectory(sequenceDir);
  EXPECT_EQ(reporter_.messages(), std::vector<std::string>{"DevIL failed to load: b.png"});
  EXPECT_EQ(names(sequence), (std::vector<std::string>{"a.png", "c.jpg"}));
  EXPECT_EQ(sequence.textureByName("b.png"), 0u);

  TextureLibrary library;
  EXPECT_FALSE(library.loadImage(sequenceDir + "none.png", "none.png"));
  EXPECT_EQ(reporter_.messages().back(), "DevIL failed to load: none.png");
  EXPECT_EQ(library.count(), 0u);
}

TEST_F(TextureLibraryTest, LookupByNameIsExactAndFindsTheFirstEntry) {
  std::string first = directory("First");
  std::string second = directory("Second");
  testing::writePng(first + "Font.png", 2, 2, {});
  testing::writePng(second + "Font.png", 2, 2, {});
  TextureLibrary library;
  ASSERT_TRUE(library.loadImage(first + "Font.png", "Font.png"));
  ASSERT_TRUE(library.loadImage(second + "Font.png", "Font.png"));
  ASSERT_EQ(library.count(), 2u);
  EXPECT_NE(library.entry(0).texture, library.entry(1).texture);
  EXPECT_EQ(library.textureByName("Font.png"), library.entry(0).texture);
  EXPECT_EQ(library.textureByName("font.png"), 0u);
  EXPECT_EQ(library.textureByName("Font.pn"), 0u);
}

TEST_F(TextureLibraryTest, TextureHoldsThePictureBottomRowFirstWithMipmaps) {
  std::string pictures = directory("Pictures");
  const Rgba top{255, 0, 0, 255}, bottom{0, 0, 255, 255};
  std::vector<Rgba> rows(8, top);
  rows.back() = bottom;
  ASSERT_TRUE(testing::writeStripedPng(pictures + "Loading.png", 16, rows));
  TextureLibrary library;
  library.loadDirectory(pictures);
  GLuint texture = library.textureByName("Loading.png");
  ASSERT_NE(texture, 0u);
  EXPECT_EQ(library.entry(0).width, 16);
  EXPECT_EQ(library.entry(0).height, 8);

  glBindTexture(GL_TEXTURE_2D, texture);
  std::vector<unsigned char> pixels(16 * 8 * 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  EXPECT_EQ((Rgba{pixels[0], pixels[1], pixels[2], pixels[3]}), bottom);
  std::size_t lastRow = 7 * 16 * 4;
  EXPECT_EQ((Rgba{pixels[lastRow], pixels[lastRow + 1], pixels[lastRow + 2], pixels[lastRow + 3]}),
            top);

  GLint minFilter = 0, wrapT = 0, smallestWidth = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 4, GL_TEXTURE_WIDTH, &smallestWidth);
  EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
  EXPECT_EQ(wrapT, GL_REPEAT);
  EXPECT_EQ(smallestWidth, 1);  // 16x8 has levels down to 1x1 at level 4
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace quintaval
