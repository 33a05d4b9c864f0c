// The demo's only time source. The main loop reads it once a frame, through this
// interface, into a FrameTime: MusicClock while the demo plays, FixedClock where time is
// set from outside (offline capture, tests). Time is in seconds of music; rows are the
// unit of the sync tracks, 14 per second, and are never rounded.
#pragma once

namespace quintaval {

struct DecodedMusic;

constexpr double kRowsPerSecond = 14.0;
// The show's length: it ends here unless it loops.
constexpr double kDemoSeconds = 128.0;
// The spectrum is the first half of a 1024-sample FFT.
constexpr int kSpectrumBins = 512;
constexpr int kSpectrumWindow = 1024;

class Clock {
 public:
  virtual ~Clock() = default;

  // Once per main-loop iteration, before the time is read.
  virtual void update() {}
  // The play position in seconds. Each call reads afresh.
  virtual double seconds() const = 0;
  // The music whose spectrum goes with the time; null when there is none (silence).
  virtual const DecodedMusic* music() const = 0;
};

}  // namespace quintaval
