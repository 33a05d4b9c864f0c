// FixedClock: time from the caller, spectrum from the attached music.
#include "timeline/fixed_clock.h"

#include "timeline/spectrum.h"

namespace quintaval {

void FixedClock::fetchSpectrum(float* out) const {
  if (!music_) {
    for (int k = 0; k < kSpectrumBins; ++k) out[k] = 0.0f;
    return;
  }
  computeSpectrum(*music_, seconds_, out);
}

}  // namespace quintaval
