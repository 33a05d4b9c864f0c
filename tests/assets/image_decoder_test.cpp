#include "assets/image_decoder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "assets/test_images.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

TEST(ImageDecoder, UnreadableFilesFailToLoadAndLeaveNoPixels) {
  testing::TempDir dir;
  std::string base = dir.path().string() + "/";
  testing::writeCorruptImage(base + "garbage.jpg");
  ASSERT_TRUE(testing::writePng(base + "whole.png", 8, 8, {1, 2, 3, 4}));
  std::filesystem::copy_file(base + "whole.png", base + "truncated.png");
  std::filesystem::resize_file(base + "truncated.png", 40);  // cut inside the header
  for (const char* name : {"garbage.jpg", "truncated.png", "missing.png"}) {
    DecodedImage image;
    image.width = 99;
    EXPECT_EQ(ImageDecoder::decode(base + name, image), DecodeStatus::kLoadFailed) << name;
    EXPECT_EQ(image.width, 0) << name;
    EXPECT_TRUE(image.pixels.empty()) << name;
  }
  // A failure leaves DevIL usable for the next file, which comes out as RGBA.
  DecodedImage image;
  ASSERT_EQ(ImageDecoder::decode(base + "whole.png", image), DecodeStatus::kOk);
  EXPECT_EQ(image.pixels.size(), 8u * 8u * 4u);
  EXPECT_EQ(image.pixels[3], 4);
}

}  // namespace
}  // namespace quintaval
