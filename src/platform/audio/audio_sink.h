// The audio output as the music clock uses it: open decoded music paused at its first
// frame, rewind, play, close, and report where the device is. AudioOutput is the real
// one (SDL 2); tests hand the clock a fake. Times are steady-clock nanoseconds, the same
// base as the clock's default time source.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/audio/decoded_music.h"

namespace quintaval {

// The latest buffer the device asked for: its first frame in frames since the start
// (counting on across loops), its length, and when the request came (steady clock, ns).
struct AudioAnchor {
  bool valid = false;  // false until the first callback
  std::uint64_t frame = 0;
  int frames = 0;
  std::int64_t timeNs = 0;
};

class AudioSink {
 public:
  enum class OpenResult {
    kDevice,       // the default output device
    kDummyDriver,  // no usable device; playing silently on the dummy driver
    kFailed,       // not even the dummy driver could be opened
  };

  virtual ~AudioSink() = default;

  // Whether an output device can be opened at all.
  virtual bool deviceAvailable() const = 0;
  // Opens an output for `music`, paused at frame 0, falling back to the dummy driver.
  virtual OpenResult open(std::shared_ptr<const DecodedMusic> music, bool loop) = 0;
  // Puts the position back to frame 0 while paused. False when nothing is open.
  virtual bool rewind() = 0;
  // Starts playing. False when nothing is open.
  virtual bool play() = 0;
  // Stops handing frames to the device, keeping the position; play() goes on.
  virtual void pause() {}
  // Puts the position at `frame` of the music (any time, playing or not): the next
  // buffer starts there and counts on from it. False when nothing is open.
  virtual bool seekTo(std::uint64_t frame) { return frame == 0 && rewind(); }
  // Stops playing and releases the output.
  virtual void close() = 0;

  virtual bool isOpen() const = 0;
  // Whether the output is SDL's silent dummy driver, whose pacing slips on a busy machine.
  virtual bool onDummyDriver() const = 0;
  // When play() started (steady clock, ns); 0 before.
  virtual std::int64_t playStartNs() const = 0;
  virtual AudioAnchor anchor() const = 0;
  // Frames between handing a buffer over and hearing its first frame.
  virtual int latencyFrames() const = 0;
};

}  // namespace quintaval
