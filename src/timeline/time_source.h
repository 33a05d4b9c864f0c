// Where the music clock reads "now": the steady clock while the demo plays, a time the
// test sets by hand otherwise. Nanoseconds on one monotonic base; the audio output stamps
// its buffers on the steady clock, so a clock playing through it reads the steady clock.
#pragma once

#include <chrono>
#include <cstdint>

namespace quintaval {

class TimeSource {
 public:
  virtual ~TimeSource() = default;
  virtual std::int64_t nowNs() const = 0;
};

class SteadyTimeSource : public TimeSource {
 public:
  std::int64_t nowNs() const override {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
};

}  // namespace quintaval
