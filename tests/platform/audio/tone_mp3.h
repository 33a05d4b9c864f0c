// Test music made on the spot: a half-scale sine in both channels, encoded by the sample
// demo generator's MP3 encoder, whose Info tag lets decoders trim the encoder's delay.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "mp3_encoder.h"

namespace quintaval::testing {

// `seconds` of the tone at `frequency` Hz, sampled at `rate` Hz.
inline std::string encodeToneMp3(double seconds = 1.0, double frequency = 1000.0, int rate = 44100) {
  std::vector<float> tone(static_cast<size_t>(seconds * rate));
  for (size_t i = 0; i < tone.size(); ++i) {
    tone[i] = static_cast<float>(0.5 * std::sin(2.0 * M_PI * frequency * double(i) / rate));
  }
  return demo::encodeMp3(tone, tone, rate, 192);
}

}  // namespace quintaval::testing
