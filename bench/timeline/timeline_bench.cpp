// Cost of the timeline's per-frame work: evaluating the frame's 19 tracks (1,000 keys
// each; target under 50 ns per track), reading the music clock, and the spectrum.
// Run: build/bench/timeline_bench   (SDL_AUDIODRIVER=dummy is set here for the clock)
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "platform/audio/audio_output.h"
#include "sync/sync_device.h"
#include "playback/music_clock.h"
#include "timeline/spectrum.h"

namespace {

using namespace quintaval;

constexpr int kFrameTracks = 19;
constexpr int kKeysPerTrack = 1000;

std::vector<SyncTrack> makeTracks() {
  std::mt19937 random(1);
  std::uniform_real_distribution<float> value(-10.0f, 10.0f);
  std::vector<SyncTrack> tracks(kFrameTracks);
  for (int t = 0; t < kFrameTracks; ++t) {
    int row = 0;
    for (int k = 0; k < kKeysPerTrack; ++k) {
      row += 1 + static_cast<int>(random() % 4);
      tracks[t].keys.push_back({row, value(random), static_cast<int>(random() % 4)});
    }
  }
  return tracks;
}

// Time per single track evaluation, next to the time per frame.
void reportPerTrack(benchmark::State& state) {
  state.counters["per_track"] =
      benchmark::Counter(kFrameTracks, benchmark::Counter::kIsIterationInvariantRate |
                                           benchmark::Counter::kInvert);
}

std::shared_ptr<DecodedMusic> noiseMusic(double seconds) {
  auto music = std::make_shared<DecodedMusic>();
  music->sampleRate = 44100;
  music->channels = 2;
  music->samples.resize(static_cast<size_t>(seconds * 44100) * 2);
  std::mt19937 random(2);
  std::uniform_real_distribution<float> sample(-0.5f, 0.5f);
  for (float& s : music->samples) s = sample(random);
  return music;
}

// A frame's worth of evaluations at rows that move like a playing demo (about 0.23 rows
// per frame at 60 Hz) but jump now and then, as a loop does.
void BM_EvaluateFrameTracks(benchmark::State& state) {
  const std::vector<SyncTrack> tracks = makeTracks();
  const double lastRow = tracks[0].keys.back().row;
  double row = 0.0;
  double sum = 0.0;
  for (auto _ : state) {
    for (const SyncTrack& track : tracks) sum += track.valueAt(row);
    row += 0.2333;
    if (row > lastRow) row -= lastRow;
  }
  benchmark::DoNotOptimize(sum);
  reportPerTrack(state);
}
BENCHMARK(BM_EvaluateFrameTracks);

// Random rows: no help from the branch predictor or the cache.
void BM_EvaluateRandomRows(benchmark::State& state) {
  const std::vector<SyncTrack> tracks = makeTracks();
  std::mt19937 random(3);
  std::uniform_real_distribution<double> pick(-10.0, tracks[0].keys.back().row + 10.0);
  std::vector<double> rows(4096);
  for (double& row : rows) row = pick(random);
  size_t i = 0;
  double sum = 0.0;
  for (auto _ : state) {
    const double row = rows[i++ & 4095];
    for (const SyncTrack& track : tracks) sum += track.valueAt(row);
  }
  benchmark::DoNotOptimize(sum);
  reportPerTrack(state);
}
BENCHMARK(BM_EvaluateRandomRows);

// The SDL output on the dummy driver, passed off as a sound card.
struct SoundCardOutput : AudioOutput {
  bool onDummyDriver() const override { return false; }
};

// One reading of the playing music clock. Argument 0: the steady-clock pace used on the
// silent dummy driver; 1: the smoothed device callbacks a sound card gets (a lock, the
// steady clock and the smoothing).
void BM_MusicClockRead(benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  AudioOutput dummy;
  SoundCardOutput soundCard;
  const SteadyTimeSource steady;
  MusicClock clock(state.range(0) != 0 ? soundCard : dummy, steady);
  clock.start(noiseMusic(60.0), true);
  double sum = 0.0;
  for (auto _ : state) sum += clock.seconds();
  benchmark::DoNotOptimize(sum);
  state.counters["playing"] = clock.music() != nullptr ? 1 : 0;
}
BENCHMARK(BM_MusicClockRead)->Arg(0)->Arg(1);

void BM_Spectrum(benchmark::State& state) {
  const auto music = noiseMusic(10.0);
  float bins[kSpectrumBins];
  double seconds = 0.0;
  for (auto _ : state) {
    computeSpectrum(*music, seconds, bins);
    benchmark::DoNotOptimize(bins);
    seconds += 1.0 / 60.0;
    if (seconds > 9.0) seconds = 0.0;
  }
}
BENCHMARK(BM_Spectrum);

}  // namespace

BENCHMARK_MAIN();
