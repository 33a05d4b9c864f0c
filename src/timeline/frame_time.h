// The time of one frame: the clock is read once at the top of a frame, and everything the
// frame shows (the tracks at the sync row, the spectrum that shakes the camera, the
// author overlay) takes this one value, so all of it agrees on one instant.
#pragma once

#include <array>

#include "timeline/clock.h"

namespace quintaval {

struct FrameTime {
  double seconds = 0.0;  // the play position
  double row = 0.0;      // the sync row, seconds x 14, never rounded
  std::array<float, kSpectrumBins> spectrum{};  // the music at `seconds`; silence without music

  // The position in single precision, as the end test and the camera shake take it.
  float musicTime() const { return static_cast<float>(seconds); }

  // Reads `clock` once: its position, the row there and the music's spectrum there.
  static FrameTime read(const Clock& clock);
};

}  // namespace quintaval
