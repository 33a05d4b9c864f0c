// The magnitudes are summed into bands of a quarter tone and compressed, log(1 + γ·m), so
// that a rise counts by its ratio more than by its size: a quiet hi-hat over silence and
// a kick over a loud pad both stand out. The flux compares each band with the highest of
// its neighbours in the hop before, so that a vibrato sliding between bands reads as no
// rise.
#include "analysis/onset_detection.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <mutex>

#include "core/fft_planner.h"

namespace quintaval {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHopSeconds = 0.01;
constexpr double kWindowSeconds = 0.02;  // at least; the window is a power of two of samples
constexpr float kCompression = 100.0f;   // γ, on magnitudes where a full-scale sine reads 1
// The bands: kBandsPerOctave to the octave from kLowestHz to kHighestHz, at least one bin
// each. Summing many bins of noise averages its flicker away, and a hit's rise stands out.
constexpr double kBandsPerOctave = 24.0;
constexpr double kLowestHz = 30.0;
constexpr double kHighestHz = 16000.0;

// Peak picking: a peak is the highest hop within kPeakReach seconds either side, and
// exceeds the average from kAverageBefore seconds before it to kAverageAfter after it by
// kAboveAverage times the whole curve's mean, a margin that grows with the noise's flicker.
constexpr double kPeakReach = 0.03;
constexpr double kAverageBefore = 0.1;
constexpr double kAverageAfter = 0.07;
constexpr double kAboveAverage = 1.0;

// One FFTW plan with its buffers, made and destroyed under the planner's lock and
// executed outside it.
class RealFft {
 public:
  explicit RealFft(int size) {
    std::lock_guard<std::mutex> planning(fftPlannerMutex());
    input_ = fftwf_alloc_real(static_cast<std::size_t>(size));
    output_ = fftwf_alloc_complex(static_cast<std::size_t>(size / 2 + 1));
    plan_ = fftwf_plan_dft_r2c_1d(size, input_, output_, FFTW_ESTIMATE);
  }
  ~RealFft() {
    std::lock_guard<std::mutex> planning(fftPlannerMutex());
    fftwf_destroy_plan(plan_);
    fftwf_free(output_);
    fftwf_free(input_);
  }
  RealFft(const RealFft&) = delete;
  RealFft& operator=(const RealFft&) = delete;

  float* input() { return input_; }
  const fftwf_complex* transform() {
    fftwf_execute(plan_);
    return output_;
  }

 private:
  float* input_ = nullptr;
  fftwf_complex* output_ = nullptr;
  fftwf_plan plan_ = nullptr;
};

std::vector<float> mixToMono(const float* samples, std::size_t frames, int channels) {
  std::vector<float> mono(frames);
  const float scale = 1.0f / static_cast<float>(channels);
  for (std::size_t i = 0; i < frames; ++i) {
    const float* frame = samples + i * static_cast<std::size_t>(channels);
    float sum = 0.0f;
    for (int c = 0; c < channels; ++c) sum += frame[c];
    mono[i] = sum * scale;
  }
  return mono;
}

// The first bin of each band, then one past the last band's last bin.
std::vector<int> bandEdges(int size, int sampleRate) {
  const double binHz = static_cast<double>(sampleRate) / size;
  const int last = std::min(size / 2, static_cast<int>(kHighestHz / binHz));
  std::vector<int> edges;
  for (double hz = kLowestHz;; hz *= std::pow(2.0, 1.0 / kBandsPerOctave)) {
    const int bin = std::max(1, static_cast<int>(std::lround(hz / binHz)));
    if (bin > last) break;
    if (edges.empty() || bin > edges.back()) edges.push_back(bin);
  }
  edges.push_back(last + 1);
  return edges;
}

int windowSize(int sampleRate) {
  int size = 256;
  while (size < sampleRate * kWindowSeconds) size *= 2;
  return size;
}

}  // namespace

OnsetCurve computeOnsetCurve(const float* samples, std::size_t frames, int channels, int sampleRate) {
  OnsetCurve curve;
  if (samples == nullptr || frames == 0 || channels < 1 || sampleRate < 1) return curve;
  const std::vector<float> mono = mixToMono(samples, frames, channels);
  const long hop = std::max(1L, std::lround(sampleRate * kHopSeconds));
  const int size = windowSize(sampleRate);
  const std::vector<int> edges = bandEdges(size, sampleRate);
  const int bands = static_cast<int>(edges.size()) - 1;
  curve.hopSeconds = static_cast<double>(hop) / sampleRate;

  std::vector<float> window(static_cast<std::size_t>(size));
  double windowSum = 0.0;
  for (int i = 0; i < size; ++i) {
    window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * kPi * i / size));
    windowSum += window[i];
  }
  const float magnitudeScale = static_cast<float>(2.0 / windowSum);

  RealFft fft(size);
  std::vector<float> previous(static_cast<std::size_t>(bands), 0.0f);
  std::vector<float> current(static_cast<std::size_t>(bands));
  const std::size_t hops = (frames + static_cast<std::size_t>(hop) - 1) / static_cast<std::size_t>(hop);
  curve.strength.resize(hops);
  const long total = static_cast<long>(frames);
  for (std::size_t n = 0; n < hops; ++n) {
    const long start = static_cast<long>(n) * hop - size / 2;
    float* input = fft.input();
    for (int i = 0; i < size; ++i) {
      const long at = start + i;
      input[i] = at >= 0 && at < total ? mono[static_cast<std::size_t>(at)] * window[i] : 0.0f;
    }
    const fftwf_complex* spectrum = fft.transform();
    for (int b = 0; b < bands; ++b) {
      float sum = 0.0f;
      for (int k = edges[b]; k < edges[b + 1]; ++k) {
        const float re = spectrum[k][0], im = spectrum[k][1];
        sum += std::sqrt(re * re + im * im);
      }
      current[b] = std::log1p(kCompression * magnitudeScale * sum);
    }
    float flux = 0.0f;
    for (int k = 1; k + 1 < bands; ++k) {
      const float before = std::max({previous[k - 1], previous[k], previous[k + 1]});
      flux += std::max(0.0f, current[k] - before);
    }
    curve.strength[n] = flux;
    previous.swap(current);
  }

  const float highest = *std::max_element(curve.strength.begin(), curve.strength.end());
  if (highest > 0.0f) {
    for (float& value : curve.strength) value /= highest;
  }
  return curve;
}

std::vector<Onset> pickOnsets(const OnsetCurve& curve) {
  std::vector<Onset> onsets;
  const std::vector<float>& c = curve.strength;
  const long count = static_cast<long>(c.size());
  if (count < 3 || curve.hopSeconds <= 0.0) return onsets;
  const auto hops = [&](double seconds) { return std::max(1L, std::lround(seconds / curve.hopSeconds)); };
  const long reach = hops(kPeakReach);
  const long before = hops(kAverageBefore);
  const long after = hops(kAverageAfter);
  std::vector<double> sums(c.size() + 1, 0.0);
  for (long i = 0; i < count; ++i) sums[i + 1] = sums[i] + c[i];
  const double margin = kAboveAverage * sums[count] / static_cast<double>(count);

  for (long i = 0; i < count; ++i) {
    if (c[i] <= 0.0f) continue;
    bool highest = true;
    // Of equal neighbours, the first is the peak.
    for (long j = std::max(0L, i - reach); j <= std::min(count - 1, i + reach) && highest; ++j) {
      highest = j < i ? c[j] < c[i] : c[j] <= c[i];
    }
    if (!highest) continue;
    const long from = std::max(0L, i - before), to = std::min(count, i + after + 1);
    const double average = (sums[to] - sums[from]) / static_cast<double>(to - from);
    if (c[i] < average + margin) continue;
    // The vertex of the parabola through the peak and its neighbours.
    double offset = 0.0;
    if (i > 0 && i + 1 < count) {
      const double a = c[i - 1], b = c[i], d = c[i + 1];
      const double bend = a - 2.0 * b + d;
      if (bend < 0.0) offset = std::clamp(0.5 * (a - d) / bend, -0.5, 0.5);
    }
    onsets.push_back({(static_cast<double>(i) + offset) * curve.hopSeconds, c[i]});
  }
  return onsets;
}

}  // namespace quintaval
