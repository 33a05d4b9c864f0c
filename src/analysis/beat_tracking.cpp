// The tempo: the autocorrelation of the curve's rises (the curve less its local average,
// kept where positive) is summed at the first four multiples of each candidate period, so
// that a period scores by the whole bar's regularity and not by one lag; the score is
// weighted by a bell on a log scale around 120 beats per minute, which settles between a
// period and its double. The best period is then refined to a hundredth of a hop on the
// multiples up to kRefineSeconds, where a small error in the period has grown large.
//
// The beats: every hop n gets the best score of a chain of beats ending there, its own
// strength plus the best of the chains ending half a period to two periods before, less
// kTightness times the squared log of the spacing over the period (dynamic programming).
// The best chain ending in the last period is followed back; each beat is then moved to
// the top of the onset peak within kSnapSeconds, between hops.
#include "analysis/beat_tracking.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quintaval {
namespace {

constexpr double kCentreBpm = 120.0;
constexpr double kWidthOctaves = 1.0;  // the bell's standard deviation
constexpr int kMultiples = 4;
constexpr double kRefineSeconds = 8.0;
constexpr double kAverageSeconds = 0.4;  // the local average taken off the curve
constexpr double kTightness = 100.0;
constexpr double kSnapSeconds = 0.02;

// The curve less its average over kAverageSeconds around each hop, where positive: the
// rises that make a pulse, without the level of the music under them. Smoothed over a few
// hops, so that a period that is no whole number of hops, whose hits fall now on one hop
// and now on the next, still correlates at the lags either side of it.
std::vector<float> rises(const OnsetCurve& curve) {
  const std::vector<float>& c = curve.strength;
  const long count = static_cast<long>(c.size());
  const long half = std::max(1L, std::lround(kAverageSeconds / curve.hopSeconds / 2));
  std::vector<double> sums(c.size() + 1, 0.0);
  for (long i = 0; i < count; ++i) sums[i + 1] = sums[i] + c[i];
  std::vector<float> raised(c.size());
  for (long i = 0; i < count; ++i) {
    const long from = std::max(0L, i - half), to = std::min(count, i + half + 1);
    const double average = (sums[to] - sums[from]) / static_cast<double>(to - from);
    raised[i] = static_cast<float>(std::max(0.0, c[i] - average));
  }
  constexpr float kSmoothing[] = {1 / 16.0f, 4 / 16.0f, 6 / 16.0f, 4 / 16.0f, 1 / 16.0f};
  std::vector<float> out(c.size(), 0.0f);
  for (long i = 0; i < count; ++i) {
    for (long j = -2; j <= 2; ++j) {
      if (i + j >= 0 && i + j < count) out[i] += kSmoothing[j + 2] * raised[i + j];
    }
  }
  return out;
}

// The autocorrelation of `x` (less its mean) at lags 0..lags-1, each divided by the
// number of products in it.
std::vector<double> autocorrelation(const std::vector<float>& x, long lags) {
  const long count = static_cast<long>(x.size());
  double mean = 0.0;
  for (float v : x) mean += v;
  mean /= static_cast<double>(count);
  std::vector<float> centred(x.size());
  for (long i = 0; i < count; ++i) centred[i] = static_cast<float>(x[i] - mean);
  std::vector<double> r(static_cast<std::size_t>(lags), 0.0);
  for (long lag = 0; lag < lags && lag < count; ++lag) {
    float sum = 0.0f;
    for (long i = 0; i + lag < count; ++i) sum += centred[i] * centred[i + lag];
    r[lag] = sum / static_cast<double>(count - lag);
  }
  return r;
}

double interpolated(const std::vector<double>& r, double lag) {
  const long below = static_cast<long>(std::floor(lag));
  if (below < 0 || below + 1 >= static_cast<long>(r.size())) return 0.0;
  const double t = lag - below;
  return r[below] * (1.0 - t) + r[below + 1] * t;
}

double combScore(const std::vector<double>& r, double period, int multiples) {
  double sum = 0.0;
  for (int k = 1; k <= multiples; ++k) sum += interpolated(r, k * period);
  return sum;
}

// Of the hops within `reach` of `hop`, the highest peak, between hops; `hop` itself when
// none of them is a peak. Before the first hop and after the last, the curve is 0.
double snapToPeak(const std::vector<float>& c, long hop, long reach) {
  const long count = static_cast<long>(c.size());
  const auto at = [&](long i) { return i >= 0 && i < count ? c[i] : 0.0f; };
  long best = -1;
  for (long i = std::max(0L, hop - reach); i <= std::min(count - 1, hop + reach); ++i) {
    const bool peak = c[i] > at(i - 1) && c[i] >= at(i + 1);
    if (peak && (best < 0 || c[i] > c[best])) best = i;
  }
  if (best < 0) return static_cast<double>(hop);
  const double a = at(best - 1), b = c[best], d = at(best + 1);
  const double bend = a - 2.0 * b + d;
  return std::max(0.0, best + (bend < 0.0 ? std::clamp(0.5 * (a - d) / bend, -0.5, 0.5) : 0.0));
}

}  // namespace

double estimateTempo(const OnsetCurve& curve) {
  if (curve.hopSeconds <= 0.0) return 0.0;
  const double shortest = 60.0 / kFastestBpm / curve.hopSeconds;
  const double longest = 60.0 / kSlowestBpm / curve.hopSeconds;
  if (static_cast<double>(curve.strength.size()) < 2.0 * shortest) return 0.0;
  const long lags = static_cast<long>(std::max(kMultiples * longest, kRefineSeconds / curve.hopSeconds)) + 2;
  const std::vector<double> r = autocorrelation(rises(curve), lags);
  if (!(r[0] > 0.0)) return 0.0;

  double bestPeriod = 0.0, bestScore = 0.0;
  for (double period = shortest; period <= longest; period += 0.25) {
    const double octaves = std::log2(60.0 / (period * curve.hopSeconds) / kCentreBpm) / kWidthOctaves;
    const double score = combScore(r, period, kMultiples) * std::exp(-0.5 * octaves * octaves);
    if (score > bestScore) {
      bestScore = score;
      bestPeriod = period;
    }
  }
  if (bestPeriod == 0.0) return 0.0;
  const int multiples = std::max(kMultiples, static_cast<int>((lags - 2) / bestPeriod));
  double refined = bestPeriod;
  bestScore = -std::numeric_limits<double>::infinity();
  for (double period = bestPeriod - 0.5; period <= bestPeriod + 0.5; period += 0.01) {
    const double score = combScore(r, period, multiples);
    if (score > bestScore) {
      bestScore = score;
      refined = period;
    }
  }
  return std::clamp(60.0 / (refined * curve.hopSeconds), kSlowestBpm, kFastestBpm);
}

std::vector<double> trackBeats(const OnsetCurve& curve, double bpm) {
  std::vector<double> beats;
  const std::vector<float>& c = curve.strength;
  const long count = static_cast<long>(c.size());
  if (!(bpm > 0.0) || curve.hopSeconds <= 0.0 || count == 0) return beats;
  const double period = 60.0 / bpm / curve.hopSeconds;
  const long nearest = std::max(1L, std::lround(period / 2));
  const long farthest = std::max(nearest, std::lround(period * 2));

  // The strength of each hop on a scale where the curve's spread is 1.
  double mean = 0.0, square = 0.0;
  for (float v : c) {
    mean += v;
    square += static_cast<double>(v) * v;
  }
  mean /= count;
  const double spread = std::sqrt(std::max(0.0, square / count - mean * mean));
  if (!(spread > 0.0)) return beats;

  // The spacing's penalty, looked up by distance in hops.
  std::vector<double> penalty(static_cast<std::size_t>(farthest + 1), 0.0);
  for (long d = nearest; d <= farthest; ++d) {
    const double ratio = std::log(d / period);
    penalty[d] = kTightness * ratio * ratio;
  }
  std::vector<double> score(c.size());
  std::vector<long> previous(c.size(), -1);
  for (long n = 0; n < count; ++n) {
    // A chain may start anywhere; it goes on from an earlier one where that scores more.
    double best = 0.0;
    for (long d = nearest; d <= farthest && d <= n; ++d) {
      const double chained = score[n - d] - penalty[d];
      if (chained > best) {
        best = chained;
        previous[n] = n - d;
      }
    }
    score[n] = c[n] / spread + best;
  }

  long end = std::max(0L, count - std::lround(period));
  for (long n = end; n < count; ++n) {
    if (score[n] > score[end]) end = n;
  }
  std::vector<long> chain;
  for (long n = end; n >= 0; n = previous[n]) chain.push_back(n);
  std::reverse(chain.begin(), chain.end());

  const long reach = std::max(1L, std::lround(kSnapSeconds / curve.hopSeconds));
  for (long hop : chain) beats.push_back(snapToPeak(c, hop, reach) * curve.hopSeconds);
  // The chain goes on at the period through silence and noise before and after the music,
  // and may pass by the lone onset of a sound starting: the beats start with the first two
  // in a row that fall on onsets, and end with the last two.
  const std::vector<Onset> onsets = pickOnsets(curve);
  std::vector<char> onOnset(beats.size());
  for (std::size_t i = 0; i < beats.size(); ++i) {
    const auto after = std::lower_bound(onsets.begin(), onsets.end(), beats[i] - kSnapSeconds,
                                        [](const Onset& onset, double t) { return onset.seconds < t; });
    onOnset[i] = after != onsets.end() && after->seconds <= beats[i] + kSnapSeconds;
  }
  std::size_t first = 0, last = beats.size();
  while (first + 1 < beats.size() && !(onOnset[first] && onOnset[first + 1])) ++first;
  while (last >= 2 && !(onOnset[last - 1] && onOnset[last - 2])) --last;
  if (first + 1 >= last) return {};
  return std::vector<double>(beats.begin() + first, beats.begin() + last);
}

double tempoOfBeats(const std::vector<double>& beats) {
  if (beats.size() < 2) return 0.0;
  std::vector<double> spacings;
  for (std::size_t i = 1; i < beats.size(); ++i) spacings.push_back(beats[i] - beats[i - 1]);
  std::nth_element(spacings.begin(), spacings.begin() + spacings.size() / 2, spacings.end());
  const double typical = spacings[spacings.size() / 2];
  if (!(typical > 0.0)) return 0.0;
  // The line through (beat number, time) by least squares; its slope is the period.
  std::vector<double> numbers(beats.size(), 0.0);
  for (std::size_t i = 1; i < beats.size(); ++i) {
    numbers[i] = numbers[i - 1] + std::max(1.0, std::round((beats[i] - beats[i - 1]) / typical));
  }
  double meanNumber = 0.0, meanTime = 0.0;
  for (std::size_t i = 0; i < beats.size(); ++i) {
    meanNumber += numbers[i];
    meanTime += beats[i];
  }
  meanNumber /= beats.size();
  meanTime /= beats.size();
  double covariance = 0.0, variance = 0.0;
  for (std::size_t i = 0; i < beats.size(); ++i) {
    covariance += (numbers[i] - meanNumber) * (beats[i] - meanTime);
    variance += (numbers[i] - meanNumber) * (numbers[i] - meanNumber);
  }
  return covariance > 0.0 ? 60.0 * variance / covariance : 0.0;
}

std::vector<double> beatsAtTempo(double bpm, double offsetSeconds, double lengthSeconds) {
  std::vector<double> beats;
  if (!(bpm > 0.0) || !std::isfinite(bpm) || !std::isfinite(offsetSeconds) || !std::isfinite(lengthSeconds)) {
    return beats;
  }
  const double period = 60.0 / bpm;
  // The first beat at or after 0, counted from an offset brought within one period.
  double first = std::fmod(offsetSeconds, period);
  if (first < 0.0) first += period;
  for (long k = 0;; ++k) {
    const double seconds = first + static_cast<double>(k) * period;
    if (seconds >= lengthSeconds) break;
    beats.push_back(seconds);
  }
  return beats;
}

}  // namespace quintaval
