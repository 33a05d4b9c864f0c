// The music's spectrum at a play position, as a pure function of the decoded samples:
// the 1024 frames starting at the position, channels mixed to mono, a Hann window, and
// the magnitudes of FFT bins 0-511, scaled so that a full-scale sine on a bin centre
// reads 1.0. Frames past the end of the music count as silence. Live play and offline
// rendering get the same values for the same position.
#pragma once

#include "platform/audio/decoded_music.h"
#include "timeline/clock.h"

namespace quintaval {

// `out` receives kSpectrumBins values. Safe to call from any thread.
void computeSpectrum(const DecodedMusic& music, double seconds, float* out);

}  // namespace quintaval
