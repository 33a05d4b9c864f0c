// Encodes captured frames into an MP4 (H.264, 4:2:0, AAC sound) by piping them raw to an
// ffmpeg process. The sound track is the span's music, handed over as a temporary WAV
// file that is removed when encoding ends. ffmpeg's own errors appear on standard error.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "capture/capture_options.h"
#include "capture/frame_sink.h"
#include "platform/audio/decoded_music.h"

namespace quintaval {

struct VideoSettings {
  std::string path;
  int width = 0;
  int height = 0;
  FrameRate rate;
  std::string program = "ffmpeg";  // looked up in PATH
};

class VideoEncoder : public FrameSink {
 public:
  explicit VideoEncoder(VideoSettings settings);
  ~VideoEncoder() override;
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // Writes the sound track and starts ffmpeg. False after reporting a failure.
  bool open(const DecodedMusic& audio);
  bool writeFrame(const unsigned char* rgba, std::int64_t index) override;
  // Ends the frame stream and waits for ffmpeg; true when it wrote the file.
  bool finish() override;

  // ffmpeg's arguments (program name first): frames from file descriptor 3, the WAV
  // file as the second input.
  static std::vector<std::string> arguments(const VideoSettings& settings, const std::string& audioPath);

 private:
  bool stop();
  void removeAudio();

  VideoSettings settings_;
  std::string audioPath_;
  pid_t pid_ = -1;
  int pipe_ = -1;
};

}  // namespace quintaval
