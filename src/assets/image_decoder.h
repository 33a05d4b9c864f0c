// Image files (JPEG, PNG and whatever else DevIL reads) decoded to 8-bit RGBA pixels in
// OpenGL's row order: row 0 is the bottom row of the picture. Decoding needs no GL
// context, so it runs on the loading threads, and can be tested and measured on its own;
// TextureLibrary uploads the result.
//
// Plain JPEG and PNG files go through TurboJPEG and libspng, one decoder per call, so
// several threads decode at once. Everything else, and whatever those two turn away or
// only half decode, goes to DevIL, which keeps global state and so takes one file at a
// time; its verdict decides whether the picture loads. Both give the same pixels for
// the files the fast path takes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quintaval {

struct DecodedImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  // width * height * 4 bytes, rows tightly packed; then, after addMipmapLevels, the
  // further levels it made, each half the size of the one before.
  std::vector<unsigned char> pixels;
  int levels = 1;
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

  // Decodes the file at `path` into `image`. On failure `image` is left empty. Safe to
  // call from several threads at once.
  static DecodeStatus decode(const std::string& path, DecodedImage& image);
};

// Appends to `image` the mipmap levels that halve it exactly: while both sides are even,
// each level's texel is the mean of a 2x2 block, averaged across and then down with
// rounding, as Mesa's mipmap generation does, so the GL need only make the levels below
// the first odd side. Returns nothing; `image.levels` counts the levels held.
void addMipmapLevels(DecodedImage& image);

}  // namespace quintaval
