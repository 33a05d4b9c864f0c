// Where drum hits and notes start. The samples are mixed to mono and looked at through a
// Hann window of about 23 ms every 10 ms (a hop); the onset strength of a hop is the
// spectral flux, how much the log-compressed magnitudes rose since the hop before, summed
// over quarter-tone bands. Onsets are the peaks of that curve that stand out of its neighbourhood.
// Times are seconds from the first sample. Hop n's window is centred on n·hopSeconds: a
// hit's flux rises fastest as its start reaches the middle of the window, so the curve
// peaks on the hop of the hit's start, and an onset's time is when it is heard.
#pragma once

#include <cstddef>
#include <vector>

namespace quintaval {

struct OnsetCurve {
  double hopSeconds = 0.0;
  std::vector<float> strength;  // one value a hop, 0 to 1 (the strongest hop of the music)
};

struct Onset {
  double seconds = 0.0;
  float strength = 0.0f;  // the curve's value at the peak, 0 to 1
};

// `samples` holds `frames` frames of `channels` interleaved samples at full scale (-1..1).
// No samples, or a rate or channel count below 1, give an empty curve.
OnsetCurve computeOnsetCurve(const float* samples, std::size_t frames, int channels, int sampleRate);

// The peaks of `curve` higher than every hop within 30 ms and clearly above the average
// of the 100 ms before and 70 ms after; times refined between hops. In time order.
std::vector<Onset> pickOnsets(const OnsetCurve& curve);

}  // namespace quintaval
