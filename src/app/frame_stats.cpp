#include "app/frame_stats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace quintaval {

FrameStats::FrameStats() : enabled_(std::getenv("QUINTAVAL_FRAME_STATS") != nullptr) {}

void FrameStats::markStart() {
  if (enabled_) start_ = Clock::now();
}

void FrameStats::frameDone(float scene) {
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (firstFrameSeconds_ < 0.0) {
    firstFrameSeconds_ = std::chrono::duration<double>(now - start_).count();
  } else {
    const int key = (scene == 1.0f || scene == 2.0f || scene == 3.0f) ? static_cast<int>(scene) : -1;
    frameMilliseconds_[key].push_back(std::chrono::duration<double, std::milli>(now - lastFrame_).count());
  }
  lastFrame_ = now;
}

void FrameStats::report() const {
  if (!enabled_) return;
  std::fprintf(stderr, "frame stats: start to first frame %.3f s\n", firstFrameSeconds_);
  for (const auto& [scene, samples] : frameMilliseconds_) {
    std::vector<double> sorted = samples;
    std::sort(sorted.begin(), sorted.end());
    const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / sorted.size();
    const double p99 = sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)];
    std::fprintf(stderr, "frame stats: scene %d: %zu frames, mean %.2f ms, p99 %.2f ms\n", scene,
                 sorted.size(), mean, p99);
  }
}

}  // namespace quintaval
