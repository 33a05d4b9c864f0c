// Where captured frames go: numbered PNG files or a video encoder. Frames arrive in
// order, as RGBA bytes of `width` × `height` pixels, rows bottom first (as GL reads them),
// each row `width` × 4 bytes with no padding. The alpha bytes mean nothing (the screen
// shows the colour opaque) and are dropped.
#pragma once

#include <cstdint>

namespace quintaval {

class FrameSink {
 public:
  virtual ~FrameSink() = default;
  // False after reporting why the frame could not be written; the capture stops.
  virtual bool writeFrame(const unsigned char* rgba, std::int64_t index) = 0;
  // Completes the output after the last frame. False after reporting a failure.
  virtual bool finish() = 0;
};

}  // namespace quintaval
