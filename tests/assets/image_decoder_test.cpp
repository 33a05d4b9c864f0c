#include "assets/image_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

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

// The fast decoders take ".jpg" files, DevIL the same bytes named ".jpe": the pixels are
// the same, bottom row first, for a whole file and for one cut short (which the fast
// path hands to DevIL).
TEST(ImageDecoder, FastPathAndDevilGiveTheSamePixels) {
  testing::TempDir dir;
  const std::string base = dir.path().string() + "/";
  std::vector<testing::Rgba> rows(16, {250, 0, 0, 255});  // red above, blue below
  std::fill(rows.begin() + 8, rows.end(), testing::Rgba{0, 0, 250, 255});
  ASSERT_TRUE(testing::writeStripedJpg(base + "whole.jpg", 16, rows));
  std::filesystem::copy_file(base + "whole.jpg", base + "cut.jpg");
  std::filesystem::resize_file(base + "cut.jpg", std::filesystem::file_size(base + "whole.jpg") - 40);
  for (const char* name : {"whole", "cut"}) {
    std::filesystem::copy_file(base + name + ".jpg", base + name + ".jpe");
    DecodedImage fast, devil;
    EXPECT_EQ(ImageDecoder::decode(base + name + ".jpg", fast), ImageDecoder::decode(base + name + ".jpe", devil));
#ifdef _WIN32
    // stb_image, the fallback there, rounds its JPEG transform otherwise: close, not equal.
    ASSERT_EQ(fast.pixels.size(), devil.pixels.size()) << name;
    for (std::size_t i = 0; i < fast.pixels.size(); ++i) ASSERT_NEAR(fast.pixels[i], devil.pixels[i], 8) << name << " " << i;
#else
    EXPECT_TRUE(fast.pixels == devil.pixels) << name;
#endif
  }
  DecodedImage image;
  ASSERT_EQ(ImageDecoder::decode(base + "whole.jpg", image), DecodeStatus::kOk);
  EXPECT_GT(image.pixels[2], 200);  // row 0 is the bottom stripe: blue
  EXPECT_LT(image.pixels[0], 50);
}

// Each level halves the one before while both sides are even: across, then down, each
// mean rounded half up (1 and 0 above 0 and 0 give 1, where a plain mean of four gives 0).
TEST(ImageDecoder, MipmapLevelsHalveWhileBothSidesAreEven) {
  DecodedImage image;
  image.width = 4;
  image.height = 2;
  image.pixels = {0, 10, 255, 1, 1, 20, 255, 3, 8, 0, 0, 0, 9, 0, 0, 0,
                  0, 30, 255, 2, 0, 40, 254, 4, 8, 0, 0, 0, 9, 0, 0, 0};
  addMipmapLevels(image);
  EXPECT_EQ(image.levels, 2);  // 4x2, then 2x1, whose 1 is odd
  EXPECT_EQ(std::vector<unsigned char>(image.pixels.begin() + 32, image.pixels.end()),
            (std::vector<unsigned char>{1, 25, 255, 3, 9, 0, 0, 0}));

  DecodedImage odd;
  odd.width = 3;
  odd.height = 2;
  odd.pixels.assign(24, 7);
  addMipmapLevels(odd);
  EXPECT_EQ(odd.levels, 1);
  EXPECT_EQ(odd.pixels.size(), 24u);
}

}  // namespace
}  // namespace quintaval
