// Draws the demo frame by frame at times set from outside and hands each frame to a sink.
// A frame is drawn exactly as the main loop draws it, by the player's frame renderer, on
// a fixed clock set to that time; instead of the buffer swap the frame is read back. The
// window is never swapped, so a frame in which the tracks draw nothing repeats the
// previous frame (black before the first).
#pragma once

#include <memory>

#include "app/demo.h"
#include "capture/capture_options.h"
#include "capture/frame_reader.h"
#include "capture/progress_meter.h"
#include "timeline/fixed_clock.h"

namespace quintaval {

// The player's start-up in a hidden window exactly as large as the frames, without
// vertical sync or looping; no setup dialog, music playback or file watcher. False when
// the player would have ended with a failure; the reason has been reported. The caller
// ends with shutdown(demo).
bool startDemoForCapture(Demo& demo, int width, int height, bool multisampling);

class FrameCapturer {
 public:
  // `demo` has been started (startDemoForCapture); `music` may be null, which makes the
  // spectrum silence. Frames are demo.settings.width × height.
  FrameCapturer(Demo& demo, std::shared_ptr<const DecodedMusic> music, FrameSink& sink);
  FrameCapturer(const FrameCapturer&) = delete;
  FrameCapturer& operator=(const FrameCapturer&) = delete;

  // Draws the frame at `seconds` of music; the previous frame goes to the sink. False
  // when the sink failed.
  bool captureAt(double seconds);
  // Hands over the last frame.
  bool finish();

 private:
  FixedClock clock_;
  FrameReader reader_;
  FrameRenderer renderer_;
  bool readBack_ = true;
};

// Captures the frames of options' span into `sink` and completes it (sink.finish()),
// counting frames on `progress`. False after the first failure.
bool runCapture(Demo& demo, const CaptureOptions& options, std::shared_ptr<const DecodedMusic> music,
                FrameSink& sink, ProgressMeter& progress);

}  // namespace quintaval
