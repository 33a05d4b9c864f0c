// A small deterministic random source (xorshift64*): the same seed gives the same numbers
// on every machine and every run, unlike the standard library's distributions.
#pragma once

#include <cstdint>

namespace quintaval::demo {

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

  uint64_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }
  // Uniform in [0, 1).
  double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
  double range(double low, double high) { return low + (high - low) * uniform(); }

 private:
  uint64_t state_;
};

}  // namespace quintaval::demo
