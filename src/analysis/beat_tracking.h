// The tempo and the beats of music, from its onset-strength curve. The tempo is the period
// between 60 and 200 beats per minute at which the curve best repeats itself; of periods
// that repeat equally well (a beat and two beats), the one nearer 120 beats per minute
// wins. The beats are then the chain of strong hops whose spacing stays nearest that
// period, found over the whole piece at once, so that the phase and slow drifts are
// followed and a weak or missing hit does not lose the beat. Times are seconds.
#pragma once

#include <vector>

#include "analysis/onset_detection.h"

namespace quintaval {

constexpr double kSlowestBpm = 60.0;
constexpr double kFastestBpm = 200.0;

// Beats per minute, kSlowestBpm to kFastestBpm; 0 for a curve with no pulse (silence,
// or too short to hold two beats).
double estimateTempo(const OnsetCurve& curve);

// The beat times at about `bpm`, in order, from the first two in a row that fall on onsets
// to the last two: none in the silence or noise before and after the music.
std::vector<double> trackBeats(const OnsetCurve& curve, double bpm);

// The tempo that best fits `beats`, in beats per minute (a skipped beat counts as two
// periods); 0 for fewer than two beats.
double tempoOfBeats(const std::vector<double>& beats);

// Beats at offsetSeconds + k·60/bpm for every whole k, negative too, that puts one at 0 s
// or later and before lengthSeconds: the grid an author gives when the estimate is wrong.
// None for a tempo that is not a positive number.
std::vector<double> beatsAtTempo(double bpm, double offsetSeconds, double lengthSeconds);

}  // namespace quintaval
