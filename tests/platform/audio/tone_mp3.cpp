// lame writes a placeholder first frame and fills in the real tag only at the end, so the
// tag is copied over the start of the finished stream, as the lame front end does.
#include "tone_mp3.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace quintaval::testing {

std::string encodeToneMp3(const ToneSpec& spec) {
  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, spec.sampleRate);
  lame_set_out_samplerate(lame, spec.sampleRate);
  lame_set_num_channels(lame, spec.channels);
  lame_set_mode(lame, spec.channels == 1 ? MONO : STEREO);
  lame_set_brate(lame, 192);
  lame_set_quality(lame, 5);
  lame_set_bWriteVbrTag(lame, 1);
  lame_init_params(lame);

  const int frames = static_cast<int>(spec.seconds * spec.sampleRate);
  std::vector<float> pcm(static_cast<size_t>(frames) * spec.channels);
  for (int i = 0; i < frames; ++i) {
    const float s = static_cast<float>(spec.amplitude *
                                       std::sin(2.0 * M_PI * spec.frequency * i / spec.sampleRate));
    for (int c = 0; c < spec.channels; ++c) pcm[static_cast<size_t>(i) * spec.channels + c] = s;
  }

  std::vector<unsigned char> out(static_cast<size_t>(1.25 * frames + 7200) + 16384);
  int used = 0;
  constexpr int kChunk = 4096;
  for (int start = 0; start < frames; start += kChunk) {
    const int count = std::min(kChunk, frames - start);
    float* chunk = pcm.data() + static_cast<size_t>(start) * spec.channels;
    int n = spec.channels == 1
                ? lame_encode_buffer_ieee_float(lame, chunk, nullptr, count, out.data() + used,
                                                static_cast<int>(out.size()) - used)
                : lame_encode_buffer_interleaved_ieee_float(lame, chunk, count, out.data() + used,
                                                            static_cast<int>(out.size()) - used);
    if (n > 0) used += n;
  }
  const int n = lame_encode_flush(lame, out.data() + used, static_cast<int>(out.size()) - used);
  if (n > 0) used += n;
  std::vector<unsigned char> tag(8192);
  const size_t tagBytes = lame_get_lametag_frame(lame, tag.data(), tag.size());
  if (tagBytes > 0 && tagBytes <= static_cast<size_t>(used)) {
    std::copy(tag.begin(), tag.begin() + static_cast<long>(tagBytes), out.begin());
  }
  lame_close(lame);
  return std::string(reinterpret_cast<const char*>(out.data()), static_cast<size_t>(used));
}

}  // namespace quintaval::testing
