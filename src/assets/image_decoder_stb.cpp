// The fallback decoder on stb_image, where DevIL is not built (Windows). stb_image keeps
// no state between calls, so several threads decode at once. It reads JPEG, PNG, BMP,
// TGA, GIF, PSD, HDR, PIC and PNM, top row first; the rows are reordered to bottom first.
// startDevil() has nothing to start and keeps its name for the messages it stands for.
#include <stb_image.h>

#include <cstring>
#include <memory>
#include <new>

#include "assets/fallback_decoder.h"

namespace quintaval {

DecodeStatus decodeWithFallback(const std::string& path, DecodedImage& image) {
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, void (*)(void*)> data(stbi_load(path.c_str(), &width, &height, &channels, 4),
                                                      stbi_image_free);
  if (!data || width <= 0 || height <= 0) return DecodeStatus::kLoadFailed;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  const std::size_t size = rowBytes * static_cast<std::size_t>(height);
  try {
    image.pixels.reserve(mipmapChainCapacity(size));
    image.pixels.resize(size);
  } catch (const std::bad_alloc&) {
    image = DecodedImage();
    return DecodeStatus::kLoadFailed;
  }
  image.width = width;
  image.height = height;
  for (int row = 0; row < height; ++row) {
    std::memcpy(&image.pixels[static_cast<std::size_t>(row) * rowBytes],
                data.get() + static_cast<std::size_t>(height - 1 - row) * rowBytes, rowBytes);
  }
  return DecodeStatus::kOk;
}

bool ImageDecoder::startDevil() { return true; }

}  // namespace quintaval
