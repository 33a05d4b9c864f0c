// Click-and-noise music made on the spot, whose beats and hits are known exactly: a click
// (a burst of noise and a 1 kHz ping, gone in a few tens of milliseconds) on every beat,
// a softer one at a fixed fraction of each beat if asked (0.5 for straight eighths, 2/3
// for swing), all over steady white noise. The tempo may glide from one value to another
// over the track. Mono; the same recipe gives the same samples on every run. And the
// yardstick of the tests: the share of found times that lie near true ones.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace quintaval::testing {

struct ClickTrackRecipe {
  double bpm = 120.0;
  double endBpm = 0.0;     // the tempo at the end, reached at a steady rate; 0: bpm throughout
  double seconds = 30.0;
  double firstBeat = 0.0;  // seconds of noise alone before it
  double offbeat = 0.0;    // where in the beat the softer click falls; 0: none
  float noise = 0.05f;     // the noise's peak amplitude; clicks reach about 0.8
  int sampleRate = 44100;
  std::uint32_t seed = 1;
};

struct ClickTrack {
  int sampleRate = 0;
  std::vector<float> samples;  // one channel
  std::vector<double> beats;   // seconds
  std::vector<double> hits;    // beats and offbeats, in order
};

inline ClickTrack makeClickTrack(const ClickTrackRecipe& recipe) {
  ClickTrack track;
  track.sampleRate = recipe.sampleRate;
  const double rate = recipe.sampleRate;
  track.samples.resize(static_cast<std::size_t>(recipe.seconds * rate));
  std::mt19937 random(recipe.seed);
  // The standard fixes mt19937's numbers, not those of its distributions.
  const auto uniform = [&random] { return static_cast<float>(random() / 4294967296.0 * 2.0 - 1.0); };
  for (float& sample : track.samples) sample = recipe.noise * uniform();

  const double clickSeconds = 0.06;
  const auto click = [&](double at, float loudness) {
    const std::size_t start = static_cast<std::size_t>(std::lround(at * rate));
    const std::size_t length = static_cast<std::size_t>(clickSeconds * rate);
    for (std::size_t i = 0; i < length && start + i < track.samples.size(); ++i) {
      const double t = i / rate;
      const double ping = std::sin(2.0 * 3.14159265358979323846 * 1000.0 * t) * std::exp(-t / 0.015);
      const double burst = uniform() * std::exp(-t / 0.004);
      track.samples[start + i] += static_cast<float>(loudness * (0.5 * ping + 0.3 * burst));
    }
  };
  const double endBpm = recipe.endBpm > 0.0 ? recipe.endBpm : recipe.bpm;
  const double last = recipe.seconds - clickSeconds;
  for (double beat = recipe.firstBeat; beat < last;) {
    const double bpm = recipe.bpm + (endBpm - recipe.bpm) * beat / recipe.seconds;
    const double period = 60.0 / bpm;
    click(beat, 1.0f);
    track.beats.push_back(beat);
    track.hits.push_back(beat);
    if (recipe.offbeat > 0.0 && beat + recipe.offbeat * period < last) {
      click(beat + recipe.offbeat * period, 0.5f);
      track.hits.push_back(beat + recipe.offbeat * period);
    }
    beat += period;
  }
  return track;
}

// The share of `times` that have one of `others` (in order) within `tolerance` seconds.
inline double shareNear(const std::vector<double>& times, const std::vector<double>& others,
                        double tolerance = 0.02) {
  std::size_t near = 0;
  for (double t : times) {
    const auto after = std::lower_bound(others.begin(), others.end(), t - tolerance);
    near += after != others.end() && *after <= t + tolerance;
  }
  return times.empty() ? 0.0 : static_cast<double>(near) / static_cast<double>(times.size());
}

}  // namespace quintaval::testing
