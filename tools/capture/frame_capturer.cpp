#include "capture/frame_capturer.h"

namespace quintaval {

FrameCapturer::FrameCapturer(Demo& demo, std::shared_ptr<const DecodedMusic> music, FrameSink& sink)
    : demo_(demo),
      reader_(demo.settings.width, demo.settings.height, sink),
      renderer_(frameSources(demo), demo.tracks, clock_) {
  clock_.attachMusic(std::move(music));
  renderer_.setPresenter([this] { readBack_ = reader_.capture() && readBack_; });
  // The loading picture may still be in the back buffer.
  demo.postProcessor->clear();
}

bool FrameCapturer::captureAt(double seconds) {
  // The main loop's order: the clock, the sync row, the spectrum, then the frame.
  clock_.setTime(seconds);
  clock_.update();
  demo_.syncRow = clock_.syncRow();
  clock_.fetchSpectrum(demo_.spectrum.data());
  renderer_.renderFrame(demo_.syncRow, demo_.spectrum.data());
  return readBack_;
}

bool FrameCapturer::finish() { return reader_.finish() && readBack_; }

bool runCapture(Demo& demo, const CaptureOptions& options, std::shared_ptr<const DecodedMusic> music,
                FrameSink& sink, ProgressMeter& progress) {
  const std::int64_t frames = frameCount(options.from, options.to, options.fps);
  FrameCapturer capturer(demo, std::move(music), sink);
  progress.start();
  for (std::int64_t k = 0; k < frames; ++k) {
    if (!capturer.captureAt(frameSeconds(options.from, options.fps, k))) return false;
    // Frame k - 1 has just been written (the read-back runs one frame behind).
    if (k > 0) progress.frameDone();
  }
  if (!capturer.finish()) return false;
  progress.frameDone();
  progress.finish();
  return sink.finish();
}

}  // namespace quintaval
