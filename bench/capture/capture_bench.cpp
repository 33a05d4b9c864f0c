// Offline capture of the sample demo at 1280 × 720: how long quintaval-capture takes from
// process start to its first frame, and frames per second per scene type (picture scenes
// 1 and 3, the 3D scene 2), read back only, into PNG files and into an MP4.
// Needs an X server (Mesa llvmpipe under Xvfb here) and the sample demo in build/demo:
//   tests/support/with-xvfb.sh build/bench/capture_bench
// The start-up case runs the real binary; the others start the demo once in this process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "capture/audio_span.h"
#include "capture/frame_capturer.h"
#include "capture/png_sequence_writer.h"
#include "capture/video_encoder.h"
#include "platform/audio/music_decoder.h"

extern char** environ;

namespace {

using namespace quintaval;
namespace fs = std::filesystem;

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

// Removed with everything in it when the benchmark ends.
struct Scratch {
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "capture-bench-XXXXXX").string();
    if (mkdtemp(pattern.data())) path = pattern;
  }
  ~Scratch() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
  }
  fs::path path;
};

fs::path scratchDirectory() {
  static const Scratch scratch;
  return scratch.path;
}

// Runs the tool for one frame at 40 s (a 3D frame, the costliest to load and draw) and
// reports the wall time of the whole run and the loading time the tool prints.
void BM_ProcessStartToFirstFrame(benchmark::State& state) {
  const fs::path out = scratchDirectory();
  const std::string log = (out / "stderr.txt").string();
  double loadedSeconds = 0.0;  // summed over the runs
  for (auto _ : state) {
    std::vector<std::string> args = {QV_CAPTURE_TOOL, "--data", QV_DEMO_DIR, "--width", std::to_string(kWidth),
                                     "--height", std::to_string(kHeight), "--from", "40", "--to", "40.01",
                                     "--png", (out / "start").string()};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const auto started = std::chrono::steady_clock::now();
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, QV_CAPTURE_TOOL, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 1;
    if (spawned == 0) waitpid(pid, &status, 0);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("quintaval-capture failed; see its standard error in the scratch directory");
      return;
    }
    state.SetIterationTime(seconds);
    std::ifstream err(log);
    std::string word;
    double loaded = 0.0;
    while (err >> word) {
      if (word == "in" && (err >> loaded)) break;  // "loaded in 2.31 s; ..."
    }
    loadedSeconds += loaded;
  }
  // The tool's own figure, from main() to the end of loading, averaged.
  state.counters["loaded_s"] = benchmark::Counter(loadedSeconds, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ProcessStartToFirstFrame)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The demo, started once in this process for the per-scene cases.
struct LoadedDemo {
  std::unique_ptr<Demo> demo;
  std::shared_ptr<const DecodedMusic> music;
  bool ok = false;
};

LoadedDemo& loadedDemo() {
  static LoadedDemo loaded = [] {
    LoadedDemo l;
    if (chdir(QV_DEMO_DIR) != 0) return l;
    l.demo = std::make_unique<Demo>();
    l.ok = startDemoForCapture(*l.demo, kWidth, kHeight, true);
    auto music = std::make_shared<DecodedMusic>();
    if (decodeMusicFile("Data/Sound/Musica.mp3", *music)) l.music = music;
    return l;
  }();
  return loaded;
}

class NullSink : public FrameSink {
 public:
  bool writeFrame(const unsigned char*, std::int64_t) override { return true; }
  bool finish() override { return true; }
};

enum Output { kReadBack, kPng, kVideo };

// Frames at 60 fps from `from` seconds on, within one scene of the sample demo.
void captureScene(benchmark::State& state, double from, Output output) {
  LoadedDemo& loaded = loadedDemo();
  if (!loaded.ok) {
    state.SkipWithError("the sample demo could not be started (build it, and run under an X server)");
    return;
  }
  NullSink null;
  PngSequenceWriter png((scratchDirectory() / "png").string(), kWidth, kHeight);
  VideoSettings video;
  video.path = (scratchDirectory() / "scene.mp4").string();
  video.width = kWidth;
  video.height = kHeight;
  VideoEncoder encoder(video);
  FrameSink* sink = &null;
  if (output == kPng && png.open()) sink = &png;
  if (output == kVideo) {
    if (!encoder.open(musicSpan(loaded.music.get(), from, 10.0))) {
      state.SkipWithError("ffmpeg could not be started");
      return;
    }
    sink = &encoder;
  }

  FrameCapturer capturer(*loaded.demo, loaded.music, *sink);
  FrameRate rate;
  std::int64_t frame = 0;
  for (auto _ : state) {
    // Ten seconds of the scene, round and round: the scene changes every 16 s.
    if (!capturer.captureAt(frameSeconds(from, rate, frame % 600))) {
      state.SkipWithError("a frame could not be written");
      break;
    }
    ++frame;
  }
  capturer.finish();
  sink->finish();
  state.counters["fps"] = benchmark::Counter(static_cast<double>(frame), benchmark::Counter::kIsRate);
}

void BM_PictureScene1(benchmark::State& state) { captureScene(state, 4.0, static_cast<Output>(state.range(0))); }
void BM_PictureScene3(benchmark::State& state) { captureScene(state, 18.0, static_cast<Output>(state.range(0))); }
void BM_Scene3D(benchmark::State& state) { captureScene(state, 33.0, static_cast<Output>(state.range(0))); }

// Argument: 0 read back only, 1 PNG files, 2 MP4 through ffmpeg.
BENCHMARK(BM_PictureScene1)->DenseRange(0, 2)->MinTime(4.0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PictureScene3)->DenseRange(0, 2)->MinTime(4.0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Scene3D)->DenseRange(0, 2)->MinTime(4.0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
