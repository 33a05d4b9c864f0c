// What the music's samples say of its rhythm: the onset-strength curve, the onsets (drum
// hits and note starts), the tempo and the beats. Plain data in and out, computed once
// after the music decodes, on any thread (a fraction of a second for a song); nothing in
// it plays, draws or reports. Times are seconds from the first sample.
#pragma once

#include <cstddef>
#include <vector>

#include "analysis/beat_tracking.h"
#include "analysis/onset_detection.h"

namespace quintaval {

struct MusicAnalysis {
  double bpm = 0.0;               // 0: no pulse found (silence, noise, too short)
  std::vector<double> beats;      // in order; none before the music starts or after it ends
  std::vector<Onset> onsets;      // in order
  double hopSeconds = 0.0;        // the spacing of onsetCurve's values
  std::vector<float> onsetCurve;  // 0 to 1, value n at n·hopSeconds
};

// `samples` holds `frames` frames of `channels` interleaved samples at full scale, such
// as DecodedMusic's. The tempo given is the one the beats found keep, over the piece.
MusicAnalysis analyseMusic(const float* samples, std::size_t frames, int channels, int sampleRate);

}  // namespace quintaval
