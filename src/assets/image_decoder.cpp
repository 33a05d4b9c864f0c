// Every decoded image starts with its bottom row, as OpenGL's texture coordinates expect.
//
// The fast path takes a file only when its name and its first bytes agree (".jpg" or
// ".jpeg" and a JPEG start marker, ".png" and the PNG signature) and, for PNG, when it
// is 8-bit RGB or RGBA without gamma or transparency chunks: what DevIL would decode to
// the same pixels. A decode that reports anything, even a warning, is done again by the
// fallback decoder (assets/fallback_decoder.h).
#include "assets/image_decoder.h"

#include <spng.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "assets/fallback_decoder.h"
#include "textio/text_file.h"

namespace quintaval {
namespace {

bool hasExtension(const std::string& path, const char* extension) {
  const std::size_t length = std::strlen(extension);
  if (path.size() < length) return false;
  return std::equal(path.end() - static_cast<std::ptrdiff_t>(length), path.end(), extension,
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

bool sizeFits(long width, long height) {
  return width > 0 && height > 0 && static_cast<unsigned long>(width) <= (1ul << 16) &&
         static_cast<unsigned long>(height) <= (1ul << 16);
}

using Bytes = std::basic_string_view<unsigned char>;

bool decodeJpeg(Bytes file, DecodedImage& image) {
  std::unique_ptr<void, int (*)(tjhandle)> decoder(tjInitDecompress(), tjDestroy);
  if (!decoder) return false;
  int width = 0, height = 0, subsampling = 0, colorspace = 0;
  if (tjDecompressHeader3(decoder.get(), file.data(), static_cast<unsigned long>(file.size()), &width, &height,
                          &subsampling, &colorspace) != 0) {
    return false;
  }
  if (!sizeFits(width, height) || colorspace == TJCS_CMYK || colorspace == TJCS_YCCK) return false;
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  image.pixels.reserve(mipmapChainCapacity(bytes));
  image.pixels.resize(bytes);
  if (tjDecompress2(decoder.get(), file.data(), static_cast<unsigned long>(file.size()), image.pixels.data(), width,
                    width * 4, height, TJPF_RGBA, TJFLAG_BOTTOMUP) != 0) {
    return false;  // an error, or a warning such as a file cut short
  }
  image.width = width;
  image.height = height;
  return true;
}

bool decodePng(Bytes file, DecodedImage& image) {
  std::unique_ptr<spng_ctx, void (*)(spng_ctx*)> decoder(spng_ctx_new(0), spng_ctx_free);
  if (!decoder || spng_set_png_buffer(decoder.get(), file.data(), file.size()) != 0) return false;
  spng_ihdr header{};
  if (spng_get_ihdr(decoder.get(), &header) != 0) return false;
  if (header.bit_depth != 8 || (header.color_type != SPNG_COLOR_TYPE_TRUECOLOR &&
                                header.color_type != SPNG_COLOR_TYPE_TRUECOLOR_ALPHA)) {
    return false;
  }
  double gamma = 0.0;
  spng_trns transparency{};
  if (spng_get_gama(decoder.get(), &gamma) == 0 || spng_get_trns(decoder.get(), &transparency) == 0) return false;
  if (!sizeFits(header.width, header.height)) return false;
  std::size_t bytes = 0;
  if (spng_decoded_image_size(decoder.get(), SPNG_FMT_RGBA8, &bytes) != 0) return false;
  image.pixels.reserve(mipmapChainCapacity(bytes));
  image.pixels.resize(bytes);
  if (spng_decode_image(decoder.get(), image.pixels.data(), bytes, SPNG_FMT_RGBA8, 0) != 0) return false;
  // Bottom row first: swap rows from the two ends inwards.
  const std::size_t rowBytes = static_cast<std::size_t>(header.width) * 4;
  std::vector<unsigned char> row(rowBytes);
  for (std::size_t top = 0, bottom = header.height - 1; top < bottom; ++top, --bottom) {
    unsigned char* a = &image.pixels[top * rowBytes];
    unsigned char* b = &image.pixels[bottom * rowBytes];
    std::memcpy(row.data(), a, rowBytes);
    std::memcpy(a, b, rowBytes);
    std::memcpy(b, row.data(), rowBytes);
  }
  image.width = static_cast<std::int32_t>(header.width);
  image.height = static_cast<std::int32_t>(header.height);
  return true;
}

// True when the fast path decoded the file; false leaves it to the fallback decoder.
bool decodeFast(const std::string& path, DecodedImage& image) {
  const bool jpeg = hasExtension(path, ".jpg") || hasExtension(path, ".jpeg");
  const bool png = hasExtension(path, ".png");
  if (!jpeg && !png) return false;
  std::string contents;
  if (!readWholeFile(path, contents)) return false;
  const Bytes file(reinterpret_cast<const unsigned char*>(contents.data()), contents.size());
  static const unsigned char kJpegStart[] = {0xFF, 0xD8, 0xFF};
  static const unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  bool done = false;
  try {
    if (jpeg && file.size() > sizeof kJpegStart && std::equal(kJpegStart, std::end(kJpegStart), file.begin())) {
      done = decodeJpeg(file, image);
    } else if (png && file.size() > sizeof kPngSignature &&
               std::equal(kPngSignature, std::end(kPngSignature), file.begin())) {
      done = decodePng(file, image);
    }
  } catch (const std::bad_alloc&) {
    done = false;
  }
  if (!done) image = DecodedImage();
  return done;
}

}  // namespace

DecodeStatus ImageDecoder::decode(const std::string& path, DecodedImage& image) {
  startDevil();
  image = DecodedImage();
  if (decodeFast(path, image)) return DecodeStatus::kOk;
  return decodeWithFallback(path, image);
}

void addMipmapLevels(DecodedImage& image) {
  std::size_t width = static_cast<std::size_t>(image.width);
  std::size_t height = static_cast<std::size_t>(image.height);
  std::size_t from = 0;  // where the level being halved starts
  image.levels = 1;
  while (width % 2 == 0 && height % 2 == 0 && width > 0 && height > 0) {
    const std::size_t halfWidth = width / 2, halfHeight = height / 2;
    const std::size_t to = image.pixels.size();
    image.pixels.resize(to + halfWidth * halfHeight * 4);
    const unsigned char* source = image.pixels.data() + from;
    unsigned char* target = image.pixels.data() + to;
    const std::size_t rowBytes = width * 4;
    for (std::size_t y = 0; y < halfHeight; ++y) {
      const unsigned char* lower = source + 2 * y * rowBytes;
      const unsigned char* upper = lower + rowBytes;
      for (std::size_t x = 0; x < halfWidth; ++x, lower += 8, upper += 8, target += 4) {
        for (int c = 0; c < 4; ++c) {
          const int across0 = (lower[c] + lower[c + 4] + 1) >> 1;
          const int across1 = (upper[c] + upper[c + 4] + 1) >> 1;
          target[c] = static_cast<unsigned char>((across0 + across1 + 1) >> 1);
        }
      }
    }
    from = to;
    width = halfWidth;
    height = halfHeight;
    ++image.levels;
  }
}

}  // namespace quintaval
