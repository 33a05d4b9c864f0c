// encodeMp3: libmp3lame in fixed settings (quality 5 is the encoder's standard speed/quality
// balance); nothing in its output depends on time or environment.
#include "mp3_encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <cstdio>

namespace quintaval::demo {

std::string encodeMp3(const std::vector<float>& left, const std::vector<float>& right,
                      int sampleRate, int kilobitsPerSecond) {
  lame_global_flags* lame = lame_init();
  if (lame == nullptr) return {};
  lame_set_num_channels(lame, 2);
  lame_set_in_samplerate(lame, sampleRate);
  lame_set_out_samplerate(lame, sampleRate);
  lame_set_mode(lame, JOINT_STEREO);
  lame_set_VBR(lame, vbr_off);
  lame_set_brate(lame, kilobitsPerSecond);
  lame_set_quality(lame, 5);
  lame_set_bWriteVbrTag(lame, 1);
  if (lame_init_params(lame) < 0) {
    lame_close(lame);
    return {};
  }

  std::string out;
  constexpr int kChunk = 8192;
  std::vector<unsigned char> buffer(kChunk * 5 / 4 + 7200);
  const size_t total = std::min(left.size(), right.size());
  for (size_t at = 0; at < total; at += kChunk) {
    const int n = static_cast<int>(std::min<size_t>(kChunk, total - at));
    const int written = lame_encode_buffer_ieee_float(lame, left.data() + at, right.data() + at, n,
                                                      buffer.data(), static_cast<int>(buffer.size()));
    if (written < 0) {
      lame_close(lame);
      return {};
    }
    out.append(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(written));
  }
  const int flushed = lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
  if (flushed > 0) out.append(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(flushed));

  // The encoder kept the first frame free for the Info tag, which it can only fill in now.
  std::vector<unsigned char> tag(4096);
  const size_t tagSize = lame_get_lametag_frame(lame, tag.data(), tag.size());
  if (tagSize > 0 && tagSize <= out.size()) {
    out.replace(0, tagSize, reinterpret_cast<const char*>(tag.data()), tagSize);
  }
  lame_close(lame);
  return out;
}

}  // namespace quintaval::demo
