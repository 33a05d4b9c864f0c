// The decoder of last resort, behind the fast JPEG and PNG path: every picture the fast
// path does not take, and its verdict decides whether the picture loads. DevIL on Linux
// (image_decoder_devil.cpp); stb_image on Windows (image_decoder_stb.cpp), where DevIL is
// not built. Either gives 8-bit RGBA, bottom row first, and the same failure statuses.
#pragma once

#include <cstddef>
#include <string>

#include "assets/image_decoder.h"

namespace quintaval {

// Decodes `path` into the empty `image`; on failure `image` is left empty. Safe to call
// from several threads at once.
DecodeStatus decodeWithFallback(const std::string& path, DecodedImage& image);

// Bytes for a picture of this size with room for all the levels addMipmapLevels may add.
inline std::size_t mipmapChainCapacity(std::size_t baseBytes) { return baseBytes + baseBytes / 3 + 64; }

}  // namespace quintaval
