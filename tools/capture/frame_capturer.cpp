#include "capture/frame_capturer.h"

#include "app/startup.h"

namespace quintaval {

bool startDemoForCapture(Demo& demo, int width, int height, bool multisampling) {
  DemoSettings& settings = demo.settings;
  settings.width = width;
  settings.height = height;
  settings.fullscreen = false;
  settings.vsync = false;
  settings.multisampling = multisampling;
  settings.loopDemo = false;
  return startDemo(demo, WindowVisibility::kHidden) == StartResult::kStarted;
}

FrameCapturer::FrameCapturer(Demo& demo, std::shared_ptr<const DecodedMusic> music, FrameSink& sink)
    : reader_(demo.settings.width, demo.settings.height, sink),
      renderer_(frameSources(demo), demo.tracks) {
  clock_.attachMusic(std::move(music));
  // The loading picture may still be in the back buffer.
  demo.postProcessor->clear();
}

bool FrameCapturer::captureAt(double seconds) {
  clock_.setTime(seconds);
  clock_.update();
  renderer_.renderFrame(FrameTime::read(clock_));
  readBack_ = reader_.capture() && readBack_;
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
