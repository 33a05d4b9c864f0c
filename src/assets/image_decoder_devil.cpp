// The fallback decoder on DevIL. DevIL keeps global state, so it takes one file at a time;
// it hands out pixels in the file's own row order and says which one through the image
// origin (JPEG and PNG come top row first), and the rows are reordered to bottom first.
#include <IL/il.h>

#include <cstring>
#include <mutex>
#include <new>

#include "assets/fallback_decoder.h"

namespace quintaval {
namespace {

std::mutex devilMutex;  // DevIL's state is global

void clearDevilErrors() {
  while (ilGetError() != IL_NO_ERROR) {
  }
}

}  // namespace

DecodeStatus decodeWithFallback(const std::string& path, DecodedImage& image) {
  std::lock_guard<std::mutex> lock(devilMutex);
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
      try {
        image.pixels.reserve(mipmapChainCapacity(size));
        image.pixels.resize(size);
        image.width = width;
        image.height = height;
        bool topRowFirst = ilGetInteger(IL_IMAGE_ORIGIN) != IL_ORIGIN_LOWER_LEFT;
        for (ILint row = 0; row < height; ++row) {
          ILint source = topRowFirst ? height - 1 - row : row;
          std::memcpy(&image.pixels[static_cast<std::size_t>(row) * rowBytes],
                      data + static_cast<std::size_t>(source) * rowBytes, rowBytes);
        }
      } catch (const std::bad_alloc&) {
        image = DecodedImage();
        status = DecodeStatus::kLoadFailed;
      }
    }
  }
  ilBindImage(0);
  ilDeleteImages(1, &handle);
  if (status != DecodeStatus::kOk) clearDevilErrors();
  return status;
}

bool ImageDecoder::startDevil() {
  static const bool started = [] {
    if (ilGetInteger(IL_VERSION_NUM) < kMinimumDevilVersion) return false;
    ilInit();
    return true;
  }();
  return started;
}

}  // namespace quintaval
