// Turns the audio callback's buffer stamps into the position the listener hears, as a
// smooth clock: it advances with the steady clock between callbacks (no stair steps at
// buffer boundaries), never goes backwards, and follows the stamps by gradual correction
// rather than by jumps. Positions are in frames counted from the start of playback, on
// across loops; the caller wraps them.
#pragma once

#include <cstdint>

#include "platform/audio/audio_sink.h"

namespace quintaval {

class PlaybackSmoother {
 public:
  // How far the estimate may be from the smooth clock before the clock follows it by a
  // jump forward or by standing still (start, stalls, a suspended device).
  static constexpr double kFollowLimitSeconds = 0.2;
  // Time constant of the gradual correction; above kFollowLimitSeconds, so a correction
  // never outruns the clock and the result stays monotonic.
  static constexpr double kCorrectionSeconds = 0.5;
  // How late a device callback may come before the clock waits for it.
  static constexpr double kLateCallbackSeconds = 0.1;

  void reset() { started_ = false; }

  // The heard position at `nowNs` (steady clock) given the latest stamp.
  double positionAt(const AudioAnchor& anchor, int latencyFrames, int sampleRate,
                    std::int64_t nowNs);

  // The unsmoothed estimate: the stamped frame, minus what is still queued in the
  // device, plus the time since the stamp, but no further than the frames handed over.
  static double estimate(const AudioAnchor& anchor, int latencyFrames, int sampleRate,
                         std::int64_t nowNs);

 private:
  bool started_ = false;
  double lastFrames_ = 0.0;
  std::int64_t lastNs_ = 0;
};

}  // namespace quintaval
