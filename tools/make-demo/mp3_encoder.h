// Stereo float samples to an MP3 file image through libmp3lame: constant bit rate with an
// Info tag in the first frame, so decoders know the exact length and skip the encoder delay.
#pragma once

#include <string>
#include <vector>

namespace quintaval::demo {

// left and right hold the same number of samples in [-1, 1]. Returns the encoded bytes, or
// an empty string when the encoder fails.
std::string encodeMp3(const std::vector<float>& left, const std::vector<float>& right,
                      int sampleRate, int kilobitsPerSecond);

}  // namespace quintaval::demo
