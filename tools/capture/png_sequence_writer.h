// Writes captured frames as numbered PNG files, DIR/frame-000000.png onwards (the number
// is the frame's index in the capture), opaque RGB, top row first as images are stored.
// PNG compression costs more than drawing a picture scene, so frames are compressed on
// worker threads while the next ones are drawn; at most two frames per worker wait.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "capture/frame_sink.h"

namespace quintaval {

class PngSequenceWriter : public FrameSink {
 public:
  // `workers` 0: one per processor.
  PngSequenceWriter(std::string directory, int width, int height, unsigned workers = 0);
  ~PngSequenceWriter() override;
  PngSequenceWriter(const PngSequenceWriter&) = delete;
  PngSequenceWriter& operator=(const PngSequenceWriter&) = delete;

  // Creates the directory when missing and starts the workers. False after reporting a
  // failure.
  bool open();
  // Queues the frame; false after reporting that an earlier frame could not be written.
  bool writeFrame(const unsigned char* rgba, std::int64_t index) override;
  // Waits until every queued frame is written; false after reporting a failure.
  bool finish() override;

  // "frame-000042.png"
  static std::string fileName(std::int64_t index);

 private:
  struct Job {
    std::int64_t index = 0;
    std::vector<unsigned char> rgb;
  };

  void work();
  bool reportFailures();

  std::string directory_;
  int width_;
  int height_;
  unsigned workerCount_;
  std::vector<std::thread> workers_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> queue_;
  std::vector<std::vector<unsigned char>> spare_;  // buffers of written frames, reused
  int busy_ = 0;
  bool stopping_ = false;
  std::vector<std::string> failedPaths_;
  bool failed_ = false;
};

}  // namespace quintaval
