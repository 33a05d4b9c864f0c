// DevIL hands out pixels in the file's own row order and says which one through the
// image origin: JPEG and PNG come top row first. Rows are reordered here so that every
// decoded image starts with its bottom row, as OpenGL's texture coordinates expect.
#include "assets/image_decoder.h"

#include <IL/il.h>

#include <cstring>

namespace quintaval {
namespace {

void clearDevilErrors() {
  while (ilGetError() != IL_NO_ERROR) {
  }
}

}  // namespace

bool ImageDecoder::startDevil() {
  static const bool started = [] {
    if (ilGetInteger(IL_VERSION_NUM) < kMinimumDevilVersion) return false;
    ilInit();
    return true;
  }();
  return started;
}

DecodeStatus ImageDecoder::decode(const std::string& path, DecodedImage& image) {
  startDevil();
  image = DecodedImage();
  ILuint handle = 0;
  ilGenImages(1, &handle);
  ilBindImage(handle);
  DecodeStatus status = DecodeStatus::kOk;
  if (!ilLoadImage(path.c_str())) {
    status = DecodeStatus::kLoadFailed;
  } else if (!ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE)) {
    status = DecodeStatus::kConversionFailed;
  } else {
    ILint width = ilGetInteger(IL_IMAGE_WIDTH);
    ILint height = ilGetInteger(IL_IMAGE_HEIGHT);
    const ILubyte* data = ilGetData();
    std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    std::size_t size = rowBytes * static_cast<std::size_t>(height);
    if (width <= 0 || height <= 0 || data == nullptr ||
        static_cast<std::size_t>(ilGetInteger(IL_IMAGE_SIZE_OF_DATA)) < size) {
      status = DecodeStatus::kConversionFailed;
    } else {
      image.width = width;
      image.height = height;
      image.pixels.resize(size);
      bool topRowFirst = ilGetInteger(IL_IMAGE_ORIGIN) != IL_ORIGIN_LOWER_LEFT;
      for (ILint row = 0; row < height; ++row) {
        ILint source = topRowFirst ? height - 1 - row : row;
        std::memcpy(&image.pixels[static_cast<std::size_t>(row) * rowBytes],
                    data + static_cast<std::size_t>(source) * rowBytes, rowBytes);
      }
    }
  }
  ilBindImage(0);
  ilDeleteImages(1, &handle);
  if (status != DecodeStatus::kOk) clearDevilErrors();
  return status;
}

}  // namespace quintaval
