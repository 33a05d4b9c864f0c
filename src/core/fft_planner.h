// FFTW's planner keeps global state: making or destroying a plan, and FFTW's allocator,
// must not run on two threads at once; only executing a plan is safe anywhere. Every
// subsystem that makes FFTW plans holds this lock meanwhile, so that the music's analysis
// on a worker cannot race the spectrum's plan on the main thread.
#pragma once

#include <mutex>

namespace quintaval {

inline std::mutex& fftPlannerMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace quintaval
