#include "assets/image_decoder.h"

#include <gtest/gtest.h>

#include "assets/test_images.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

using testing::Rgba;

Rgba pixelAt(const DecodedImage& image, int x, int y) {
  std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
  return {image.pixels[at], image.pixels[at + 1], image.pixels[at + 2], image.pixels[at + 3]};
}

TEST(ImageDecoder, RowZeroIsThePicturesBottomRow) {
  testing::TempDir dir;
  const Rgba top{255, 0, 0, 255}, middle{0, 255, 0, 128}, bottom{0, 0, 255, 255};
  ASSERT_TRUE(testing::writeStripedPng(dir.path() / "stripes.png", 3, {top, middle, bottom}));

  DecodedImage image;
  ASSERT_EQ(ImageDecoder::decode((dir.path() / "stripes.png").string(), image), DecodeStatus::ok);
  ASSERT_EQ(image.width, 3);
  ASSERT_EQ(image.height, 3);
  ASSERT_EQ(image.pixels.size(), 3u * 3u * 4u);
  EXPECT_EQ(pixelAt(image, 0, 0), bottom);
  EXPECT_EQ(pixelAt(image, 2, 1), middle);
  EXPECT_EQ(pixelAt(image, 1, 2), top);
}

TEST(ImageDecoder, JpegIsExpandedToOpaqueRgba) {
  testing::TempDir dir;
  ASSERT_TRUE(testing::writeJpg(dir.path() / "grey.jpg", 17, 9, {128, 128, 128, 255}));

  DecodedImage image;
  ASSERT_EQ(ImageDecoder::decode((dir.path() / "grey.jpg").string(), image), DecodeStatus::ok);
  EXPECT_EQ(image.width, 17);
  EXPECT_EQ(image.height, 9);
  ASSERT_EQ(image.pixels.size(), 17u * 9u * 4u);
  Rgba p = pixelAt(image, 8, 4);
  EXPECT_NEAR(p[0], 128, 3);
  EXPECT_EQ(p[3], 255);
}

TEST(ImageDecoder, UnreadableFilesFailToLoadAndLeaveNoPixels) {
  testing::TempDir dir;
  testing::writeCorruptImage(dir.path() / "broken.png");
  testing::writeCorruptImage(dir.path() / "broken.jpg");
  ASSERT_TRUE(testing::writePng(dir.path() / "whole.png", 8, 8, {1, 2, 3, 4}));
  // A real PNG cut off in the middle of its data.
  std::filesystem::copy_file(dir.path() / "whole.png", dir.path() / "truncated.png");
  std::filesystem::resize_file(dir.path() / "truncated.png", 40);

  for (const char* name : {"broken.png", "broken.jpg", "truncated.png", "missing.png"}) {
    DecodedImage image;
    image.width = 99;
    EXPECT_EQ(ImageDecoder::decode((dir.path() / name).string(), image), DecodeStatus::loadFailed)
        << name;
    EXPECT_EQ(image.width, 0) << name;
    EXPECT_TRUE(image.pixels.empty()) << name;
  }
  // A failure leaves DevIL usable for the next file.
  DecodedImage image;
  EXPECT_EQ(ImageDecoder::decode((dir.path() / "whole.png").string(), image), DecodeStatus::ok);
}

}  // namespace
}  // namespace quintaval
