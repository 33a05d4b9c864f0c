// Test music made on the spot: a synthesised sine encoded to MP3 with libmp3lame,
// carrying the LAME tag so that decoders trim the encoder's delay and padding.
#pragma once

#include <string>

namespace quintaval::testing {

struct ToneSpec {
  double seconds = 1.0;
  double frequency = 1000.0;
  double amplitude = 0.5;
  int sampleRate = 44100;
  int channels = 2;
};

// The bytes of an MP3 file holding the tone.
std::string encodeToneMp3(const ToneSpec& spec);

}  // namespace quintaval::testing
