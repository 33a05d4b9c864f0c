// Music decoded completely into memory: interleaved 32-bit float samples at full scale
// (-1..1), at the file's own sample rate and channel count. Immutable once decoded, so
// the audio thread and the main thread share it without locking.
#pragma once

#include <cstdint>
#include <vector>

namespace quintaval {

struct DecodedMusic {
  int sampleRate = 0;
  int channels = 0;
  std::vector<float> samples;  // frame after frame, `channels` samples each

  std::int64_t frames() const {
    return channels > 0 ? static_cast<std::int64_t>(samples.size()) / channels : 0;
  }
  double seconds() const { return sampleRate > 0 ? static_cast<double>(frames()) / sampleRate : 0.0; }
};

}  // namespace quintaval
