// Texture libraries and sequences in a GL context: directory loads sorted by name as
// bytes, lookup by name, frame picking, the pictures that are reported and skipped, and
// the orientation and filtering of an uploaded picture.
#include "assets/texture_library.h"

#include <cmath>

#include "assets/test_images.h"
#include "support/gl_fixture.h"

namespace quintaval {
namespace {

class TextureLibraryTest : public testing::GlFixture {
 protected:
  // Makes `relative` holding small pictures of the given names; returns it with "/".
  std::string pictures(const std::string& relative, std::initializer_list<std::string> names) {
    const std::string directory = (dir.path() / relative).string() + "/";
    std::filesystem::create_directories(directory);
    for (const std::string& name : names) {
      (name.find(".jpg") != std::string::npos ? testing::writeJpg : testing::writePng)(directory + name, 4, 4, {});
    }
    return directory;
  }

  static std::vector<std::string> names(const TextureLibrary& library) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < library.count(); ++i) result.push_back(library.entry(i).name);
    return result;
  }
};

// Pictures of both kinds and those loaded before are sorted together, stably: a lookup by
// name, which is exact, finds the entry loaded first.
TEST_F(TextureLibraryTest, DirectoryLoadSortsAllEntriesByNameAsBytesAndLookupFindsTheFirst) {
  TextureLibrary library;
  const std::string single = pictures("Single", {"c.jpg"});
  ASSERT_TRUE(library.loadImage(single + "c.jpg", "c.jpg"));
  ASSERT_TRUE(library.loadImage(single + "c.jpg", "b.jpg"));
  library.loadDirectory(pictures("Frames", {"frame2.png", "c.jpg", "frame10.png", "a.png", "Z.png"}));
  EXPECT_EQ(names(library),
            (std::vector<std::string>{"Z.png", "a.png", "b.jpg", "c.jpg", "c.jpg", "frame10.png", "frame2.png"}));
  EXPECT_EQ(library.entry(3).path, single + "c.jpg");
  EXPECT_NE(library.entry(3).texture, library.entry(4).texture);
  EXPECT_EQ(library.textureByName("c.jpg"), library.entry(3).texture);
  EXPECT_EQ(library.textureByName("C.jpg"), 0u);
  EXPECT_TRUE(reporter.messages().empty());
}

TEST_F(TextureLibraryTest, FrameAtPicksByTruncatedPosition) {
  TextureSequence sequence;
  sequence.loadDirectory(pictures("Five", {"f0.png", "f1.png", "f2.png", "f3.png", "f4.png"}));
  ASSERT_EQ(sequence.count(), 5u);
  const std::pair<float, std::size_t> cases[] = {{-0.2f, 0}, {0.0f, 0}, {0.24f, 0}, {0.25f, 1}, {0.999f, 3},
                                                 {1.0f, 4},  {1.5f, 4}, {std::nanf(""), 0}};
  for (const auto& [at, frame] : cases) EXPECT_EQ(sequence.frameAt(at), sequence.entry(frame).texture) << at;
  TextureSequence empty;
  empty.loadDirectory(dir.path().string() + "/Missing/");
  EXPECT_EQ(empty.frameAt(0.5f), 0u);
}

TEST_F(TextureLibraryTest, CorruptOrTooLargePicturesAreReportedByNameAndSkipped) {
  const std::string corrupt = pictures("Corrupt", {"a.png", "c.jpg"}), wide = pictures("Wide", {});
  testing::writeCorruptImage(corrupt + "b.png");
  const int limit = glInteger(GL_MAX_TEXTURE_SIZE);
  ASSERT_TRUE(testing::writePng(wide + "wide.png", limit + 1, 1, {}));
  TextureSequence sequence;
  sequence.loadDirectory(corrupt);
  sequence.loadDirectory(wide);
  const std::string side = std::to_string(limit), tooLarge = "Image too large for a texture: wide.png is ";
  EXPECT_EQ(reporter.messages(), (std::vector<std::string>{"DevIL failed to load: b.png",
                                                           tooLarge + std::to_string(limit + 1) + " x 1, the limit is " +
                                                               side + " x " + side}));
  EXPECT_EQ(names(sequence), (std::vector<std::string>{"a.png", "c.jpg"}));
}

TEST_F(TextureLibraryTest, TextureRowZeroIsThePicturesBottomRow) {
  const testing::Rgba top{255, 0, 0, 255}, bottom{0, 0, 255, 255};
  const std::string directory = pictures("Pictures", {});
  ASSERT_TRUE(testing::writeStripedPng(directory + "Loading.png", 2, {top, top, top, bottom}));
  TextureLibrary library;
  library.loadDirectory(directory);
  EXPECT_EQ(library.entry(0).height, 4);
  const std::vector<float> rows = texels(library.textureByName("Loading.png"), 8);
  EXPECT_EQ(std::vector<float>(rows.begin(), rows.begin() + 4), (std::vector<float>{0, 0, 1, 1}));  // bottom
  EXPECT_EQ(std::vector<float>(rows.end() - 4, rows.end()), (std::vector<float>{1, 0, 0, 1}));      // top
  GLint minFilter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
}

// The levels made on the CPU, and those the GL makes below them, are the GL's own mipmaps
// of the picture: 96x40 halves to 48x20, 24x10 and 12x5 before an odd side.
TEST_F(TextureLibraryTest, MipmapsAreThoseTheGlMakes) {
  const int width = 96, height = 40;
  std::vector<unsigned char> noise(width * height * 4);
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<unsigned char>((i * 7919u) >> 3);
  const std::string directory = pictures("Mipmaps", {});
  ASSERT_TRUE(testing::writePixelsPng(directory + "noise.png", width, height, noise));
  TextureLibrary library;
  library.loadDirectory(directory);
  DecodedImage decoded;
  ASSERT_EQ(ImageDecoder::decode(directory + "noise.png", decoded), DecodeStatus::kOk);
  GLuint reference = 0;
  glGenTextures(1, &reference);
  glBindTexture(GL_TEXTURE_2D, reference);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, decoded.pixels.data());
  glGenerateMipmap(GL_TEXTURE_2D);
  for (int level = 0, w = width, h = height; w > 0; ++level, w = w > 1 || h > 1 ? std::max(w / 2, 1) : 0,
           h = std::max(h / 2, 1)) {
    std::vector<unsigned char> ours(static_cast<std::size_t>(w * h * 4)), gls(ours.size());
    glBindTexture(GL_TEXTURE_2D, library.textureByName("noise.png"));
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, ours.data());
    glBindTexture(GL_TEXTURE_2D, reference);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, gls.data());
    EXPECT_TRUE(ours == gls) << "level " << level << ", " << w << "x" << h;
  }
}

// Author mode: a changed picture goes into the same texture; one that does not decode
// keeps the old picture; a directory re-listed picks up new files.
TEST_F(TextureLibraryTest, ReloadKeepsTheTextureAndTheLastGoodPicture) {
  const std::string directory = pictures("Sequence", {"a.png"});
  TextureSequence sequence;
  sequence.loadDirectory(directory);
  // The same size goes into the same texture; another size into a new one.
  const unsigned int texture = sequence.textureByName("a.png");
  ASSERT_TRUE(testing::writePng(directory + "a.png", 4, 4, {0, 255, 0, 255}));
  ASSERT_TRUE(sequence.reloadImage("a.png"));
  EXPECT_EQ(sequence.textureByName("a.png"), texture);
  const std::vector<float> green = texels(texture, 16);
  EXPECT_EQ(std::vector<float>(green.begin(), green.begin() + 4), (std::vector<float>{0, 1, 0, 1}));
  ASSERT_TRUE(testing::writePng(directory + "a.png", 1, 1, {255, 0, 0, 255}));
  ASSERT_TRUE(sequence.reloadImage("a.png"));
  const unsigned int resized = sequence.textureByName("a.png");
  EXPECT_EQ(sequence.entry(0).width, 1);
  EXPECT_EQ(texels(resized), (std::vector<float>{1, 0, 0, 1}));
  testing::writeCorruptImage(directory + "a.png");
  EXPECT_FALSE(sequence.reloadImage("a.png"));
  EXPECT_EQ(texels(resized), (std::vector<float>{1, 0, 0, 1}));
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"DevIL failed to load: a.png"});
  EXPECT_FALSE(sequence.reloadImage("missing.png"));

  ASSERT_TRUE(testing::writePng(directory + "a.png", 2, 2, {}));
  ASSERT_TRUE(testing::writePng(directory + "b.png", 2, 2, {}));
  sequence.reloadDirectory();
  EXPECT_EQ(names(sequence), (std::vector<std::string>{"a.png", "b.png"}));
}

}  // namespace
}  // namespace quintaval
