#include "capture/video_encoder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "capture/audio_span.h"
#include "core/error_report.h"

extern char** environ;

namespace quintaval {
namespace {

constexpr int kFramePipeDescriptor = 3;

}  // namespace

VideoEncoder::VideoEncoder(VideoSettings settings) : settings_(std::move(settings)) {}

VideoEncoder::~VideoEncoder() {
  stop();
  removeAudio();
}

std::vector<std::string> VideoEncoder::arguments(const VideoSettings& settings, const std::string& audioPath) {
  // "file:" keeps a name that starts with '-' or holds ':' from being read as an option
  // or a protocol.
  return {settings.program,
          "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
          "-f", "rawvideo", "-pixel_format", "rgba",
          "-video_size", std::to_string(settings.width) + "x" + std::to_string(settings.height),
          "-framerate", frameRateText(settings.rate),
          "-i", "pipe:" + std::to_string(kFramePipeDescriptor),
          "-i", "file:" + audioPath,
          "-map", "0:v:0", "-map", "1:a:0",
          // GL gives the bottom row first.
          "-vf", "vflip",
          "-c:v", "libx264", "-preset", "medium", "-crf", "18", "-pix_fmt", "yuv420p",
          "-c:a", "aac", "-b:a", "192k",
          "-movflags", "+faststart",
          "-f", "mp4", "file:" + settings.path};
}

bool VideoEncoder::open(const DecodedMusic& audio) {
  // A write to a pipe whose reader has gone must fail with EPIPE rather than end us.
  signal(SIGPIPE, SIG_IGN);

  std::string audioPath = (std::filesystem::temp_directory_path() / "quintaval-capture-XXXXXX.wav").string();
  const int audioFile = mkstemps(audioPath.data(), 4);
  if (audioFile < 0) {
    reportError("Could not create a temporary file for the sound track: " + std::string(std::strerror(errno)));
    return false;
  }
  close(audioFile);
  audioPath_ = audioPath;
  if (!writeWavFile(audioPath_, audio)) return false;

  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) {
    reportError("Could not make a pipe to ffmpeg: " + std::string(std::strerror(errno)));
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // dup2 onto descriptor 3 clears close-on-exec there; the writing end closes on exec.
  posix_spawn_file_actions_adddup2(&actions, ends[0], kFramePipeDescriptor);

  const std::vector<std::string> args = arguments(settings_, audioPath_);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const int spawned = posix_spawnp(&pid_, settings_.program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[0]);
  if (spawned != 0) {
    close(ends[1]);
    pid_ = -1;
    reportError("Could not start " + settings_.program + ": " + std::strerror(spawned));
    return false;
  }
  pipe_ = ends[1];
  return true;
}

bool VideoEncoder::writeFrame(const unsigned char* rgba, std::int64_t index) {
  if (pipe_ < 0) return false;
  const std::size_t bytes = static_cast<std::size_t>(settings_.width) * settings_.height * 4;
  std::size_t done = 0;
  while (done < bytes) {
    const ssize_t written = write(pipe_, rgba + done, bytes - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      reportError(settings_.program + " stopped taking frames at frame " + std::to_string(index));
      stop();
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

bool VideoEncoder::stop() {
  if (pipe_ >= 0) {
    close(pipe_);
    pipe_ = -1;
  }
  if (pid_ < 0) return false;
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  const std::string how = WIFEXITED(status) ? "exit status " + std::to_string(WEXITSTATUS(status))
                                             : "signal " + std::to_string(WTERMSIG(status));
  reportError(settings_.program + " failed (" + how + ") writing " + settings_.path);
  return false;
}

bool VideoEncoder::finish() {
  const bool encoded = stop();
  removeAudio();
  return encoded;
}

void VideoEncoder::removeAudio() {
  if (audioPath_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(audioPath_, ignored);
  audioPath_.clear();
}

}  // namespace quintaval
