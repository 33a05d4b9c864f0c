// Image files (JPEG, PNG and whatever else DevIL reads) decoded to 8-bit RGBA pixels in
// OpenGL's row order: row 0 is the bottom row of the picture. Decoding needs no GL
// context, so it can be tested and measured on its own; TextureLibrary uploads the
// result. DevIL keeps global state: call from one thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quintaval {

struct DecodedImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<unsigned char> pixels;  // width * height * 4 bytes, rows tightly packed
};

enum class DecodeStatus { kOk, kLoadFailed, kConversionFailed };

class ImageDecoder {
 public:
  // The oldest DevIL whose behaviour the decoder relies on (IL_VERSION_NUM).
  static constexpr int kMinimumDevilVersion = 178;

  // Checks the DevIL version and initialises it. The check and the initialisation run
  // once per process; later calls return the first answer. False when DevIL is too old
  // (it is then left uninitialised).
  static bool startDevil();

  // Decodes the file at `path` into `image`. On failure `image` is left empty.
  static DecodeStatus decode(const std::string& path, DecodedImage& image);
};

}  // namespace quintaval
