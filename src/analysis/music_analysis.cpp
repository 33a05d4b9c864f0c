// The three steps in order: the onset curve, its peaks, then the tempo and the beats that
// keep it. The curve is handed over to the result rather than copied.
#include "analysis/music_analysis.h"

#include <utility>

namespace quintaval {

MusicAnalysis analyseMusic(const float* samples, std::size_t frames, int channels, int sampleRate) {
  MusicAnalysis analysis;
  OnsetCurve curve = computeOnsetCurve(samples, frames, channels, sampleRate);
  analysis.onsets = pickOnsets(curve);
  const double estimate = estimateTempo(curve);
  analysis.beats = trackBeats(curve, estimate);
  // The beats keep the tempo more exactly than the autocorrelation's lags can say it; with
  // no beats on onsets, the pulse the autocorrelation found was the noise's.
  if (analysis.beats.size() >= 4) {
    analysis.bpm = tempoOfBeats(analysis.beats);
  } else if (!analysis.beats.empty()) {
    analysis.bpm = estimate;
  }
  analysis.hopSeconds = curve.hopSeconds;
  analysis.onsetCurve = std::move(curve.strength);
  return analysis;
}

}  // namespace quintaval
