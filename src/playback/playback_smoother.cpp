// The smooth clock runs at the sample rate from its last reading; each reading moves it
// a fraction dt / kCorrectionSeconds of the way towards the callback-based estimate.
#include "playback/playback_smoother.h"

#include <algorithm>

namespace quintaval {

double PlaybackSmoother::estimate(const AudioAnchor& anchor, int latencyFrames, int sampleRate,
                                  std::int64_t nowNs) {
  if (!anchor.valid || sampleRate <= 0) return 0.0;
  const double elapsed = static_cast<double>(nowNs - anchor.timeNs) * 1e-9;
  const double frame = static_cast<double>(anchor.frame);
  const double heard = frame - latencyFrames + std::max(0.0, elapsed) * sampleRate;
  const double limit = frame + anchor.frames - latencyFrames;
  return std::max(0.0, std::min(heard, limit));
}

double PlaybackSmoother::positionAt(const AudioAnchor& anchor, int latencyFrames, int sampleRate,
                                    std::int64_t nowNs) {
  if (!anchor.valid || sampleRate <= 0) {
    // Nothing played yet: hold (0 at the start).
    return started_ ? lastFrames_ : 0.0;
  }
  const double target = estimate(anchor, latencyFrames, sampleRate, nowNs);
  if (!started_) {
    // Start once the first frame is heard, so the clock does not run ahead of a device
    // that is still playing its initial queue.
    if (target <= 0.0) return 0.0;
    started_ = true;
    lastFrames_ = target;
    lastNs_ = nowNs;
    return target;
  }
  const double dt = std::max(0.0, static_cast<double>(nowNs - lastNs_) * 1e-9);
  const double predicted = lastFrames_ + dt * sampleRate;
  const double error = target - predicted;
  const double limit = kFollowLimitSeconds * sampleRate;
  double position;
  if (error > limit) {
    position = target;
  } else if (error < -limit) {
    position = lastFrames_;
  } else {
    position = predicted + error * std::min(1.0, dt / kCorrectionSeconds);
  }
  // Never far ahead of the estimate, which itself stops at what the device can have
  // played: a stalled device stops the clock, while the slack absorbs callbacks that
  // come late on a busy machine.
  const double slack = std::max<double>(anchor.frames, kLateCallbackSeconds * sampleRate);
  position = std::min(position, target + slack);
  position = std::max(position, lastFrames_);
  lastFrames_ = position;
  lastNs_ = nowNs;
  return position;
}

}  // namespace quintaval
