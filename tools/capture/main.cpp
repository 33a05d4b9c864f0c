// quintaval-capture: renders the demo offline, frame-exactly, into numbered PNG files or
// an MP4 video with the music. It loads the demo as the player does and then draws frame
// k at from + k / fps seconds of music, whatever time the drawing takes.
//
// Exit status: 0 success, 1 the demo could not be started or the output not written,
// 2 bad usage.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/demo.h"
#include "app/main_loop.h"
#include "capture/audio_span.h"
#include "capture/capture_options.h"
#include "capture/frame_capturer.h"
#include "capture/png_sequence_writer.h"
#include "capture/progress_meter.h"
#include "capture/video_encoder.h"
#include "core/demo_folder.h"
#include "core/error_report.h"
#include "platform/files/own_location.h"
#include "playback/music_clock.h"

namespace {

using namespace quintaval;
namespace fs = std::filesystem;

int failure(const std::string& message) {
  std::fprintf(stderr, "quintaval-capture: %s\n", message.c_str());
  return 1;
}

// Output paths are meant from where the tool was started, not from --data.
void anchorOutput(CaptureOptions& options) {
  std::error_code ignored;
  options.outputPath = fs::absolute(options.outputPath, ignored).string();
}

// The music for the spectrum and the sound track. Without it the capture goes on, as the
// player does, with a silent spectrum.
// The music the loading sequence decoded; its failure is reported as the player does.
std::shared_ptr<const DecodedMusic> loadedMusic(const Demo& demo) {
  if (!demo.decodedMusic) reportError(MusicClock::kLoadFailedMessage, demo.musicFailure);
  return demo.decodedMusic;
}

std::unique_ptr<FrameSink> openSink(const CaptureOptions& options, const DecodedMusic* music) {
  if (options.output == CaptureOutput::kPng) {
    auto writer = std::make_unique<PngSequenceWriter>(options.outputPath, options.width, options.height);
    if (!writer->open()) return nullptr;
    return writer;
  }
  VideoSettings video;
  video.path = options.outputPath;
  video.width = options.width;
  video.height = options.height;
  video.rate = options.fps;
  // The sound lasts as long as the frames do.
  const std::int64_t frames = frameCount(options.from, options.to, options.fps);
  const double seconds = frameSeconds(0.0, options.fps, frames);
  auto encoder = std::make_unique<VideoEncoder>(video);
  if (!encoder->open(musicSpan(music, options.from, seconds))) return nullptr;
  return encoder;
}

}  // namespace

int main(int argc, char** argv) {
  const auto started = std::chrono::steady_clock::now();
  Utf8Arguments arguments(argc, argv);
  CaptureOptions options;
  if (std::optional<int> status = parseCaptureOptions(argc, arguments.argv(), options)) return *status;
  anchorOutput(options);
  const std::string executable = runningExecutable();
  const std::string folder = findDemoFolder(options.dataDir, executable);
  const std::string missing = missingDataMessage(folder, options.dataDir, executable);
  if (!missing.empty()) return failure(missing);
  if (!folder.empty() && !enterFolder(folder)) {
    return failure("cannot enter the directory " + folder);
  }

  auto demo = std::make_unique<Demo>();
  if (!startDemoForCapture(*demo, options.width, options.height, options.multisampling)) {
    return failure("the demo could not be started");
  }
  const std::shared_ptr<const DecodedMusic> music = loadedMusic(*demo);
  std::unique_ptr<FrameSink> sink = openSink(options, music.get());
  if (!sink) {
    shutdown(*demo);
    return 1;
  }

  const std::int64_t frames = frameCount(options.from, options.to, options.fps);
  if (!options.quiet) {
    const double loading = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::fprintf(stderr, "loaded in %.2f s; capturing %lld frame%s of %dx%d at %s fps\n", loading,
                 static_cast<long long>(frames), frames == 1 ? "" : "s", options.width, options.height,
                 frameRateText(options.fps).c_str());
  }
  ProgressMeter progress(frames, !options.quiet);
  const bool captured = runCapture(*demo, options, music, *sink, progress);
  sink.reset();
  shutdown(*demo);
  return captured ? 0 : 1;
}
