// One FFTW plan serves every call. FFTW's planner is not thread-safe and the plan's
// buffers are shared, so calls are serialised; the transform takes a few microseconds.
#include "timeline/spectrum.h"

#include <fftw3.h>

#include <cmath>
#include <mutex>

#include "core/fft_planner.h"

namespace quintaval {
namespace {

// M_PI's value; not every C library defines M_PI in standard C++.
constexpr double kPi = 3.14159265358979323846;

class SpectrumAnalyser {
 public:
  SpectrumAnalyser() {
    std::lock_guard<std::mutex> planning(fftPlannerMutex());
    input_ = fftwf_alloc_real(kSpectrumWindow);
    output_ = fftwf_alloc_complex(kSpectrumWindow / 2 + 1);
    plan_ = fftwf_plan_dft_r2c_1d(kSpectrumWindow, input_, output_, FFTW_ESTIMATE);
    // The periodic Hann window sums to N/2, so a sine of amplitude A on a bin centre has
    // the magnitude A·N/4 before scaling.
    for (int n = 0; n < kSpectrumWindow; ++n) {
      window_[n] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * kPi * n / kSpectrumWindow));
    }
  }

  void compute(const DecodedMusic& music, double seconds, float* out) {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::int64_t frames = music.frames();
    const int channels = music.channels;
    const double start = std::floor(seconds * music.sampleRate);
    bool any = false;
    for (int n = 0; n < kSpectrumWindow; ++n) {
      const double frame = start + n;
      float mono = 0.0f;
      if (frame >= 0.0 && frame < static_cast<double>(frames)) {
        const float* sample = music.samples.data() + static_cast<std::int64_t>(frame) * channels;
        for (int c = 0; c < channels; ++c) mono += sample[c];
        mono /= static_cast<float>(channels);
        any = any || mono != 0.0f;
      }
      input_[n] = mono * window_[n];
    }
    if (!any) {
      for (int k = 0; k < kSpectrumBins; ++k) out[k] = 0.0f;
      return;
    }
    fftwf_execute(plan_);
    const float scale = 4.0f / kSpectrumWindow;
    for (int k = 0; k < kSpectrumBins; ++k) {
      out[k] = std::hypot(output_[k][0], output_[k][1]) * scale;
    }
  }

 private:
  std::mutex mutex_;
  float* input_ = nullptr;
  fftwf_complex* output_ = nullptr;
  fftwf_plan plan_ = nullptr;
  float window_[kSpectrumWindow];
};

}  // namespace

void computeSpectrum(const DecodedMusic& music, double seconds, float* out) {
  // Created on first use and kept for the life of the process.
  static SpectrumAnalyser* analyser = new SpectrumAnalyser;
  if (music.sampleRate <= 0 || music.channels <= 0 || !std::isfinite(seconds)) {
    for (int k = 0; k < kSpectrumBins; ++k) out[k] = 0.0f;
    return;
  }
  analyser->compute(music, seconds, out);
}

}  // namespace quintaval
