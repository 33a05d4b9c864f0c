// The progress line of a capture on standard error: frames done of the total, the rate
// of the last few seconds and the time left. On a terminal the line is rewritten in
// place a few times a second; into a file or pipe a full line is written every few
// seconds, so logs stay readable.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace quintaval {

class ProgressMeter {
 public:
  // Prints nothing at all when not `enabled`.
  ProgressMeter(std::int64_t total, bool enabled, std::FILE* out = stderr);

  // Marks the start of rendering; the time before it (loading) does not count.
  void start();
  // One more frame written.
  void frameDone();
  // Ends the line with a summary: frames, time taken and mean rate.
  void finish();

  // "frame 120/7680, 45.3 fps, 2:47 left"; the rate and time left read "--" while no
  // rate is known (fps <= 0).
  static std::string formatLine(std::int64_t done, std::int64_t total, double framesPerSecond);
  // "7680 frames in 3:12 (40.0 fps)".
  static std::string formatSummary(std::int64_t frames, double seconds);

 private:
  using Clock = std::chrono::steady_clock;

  void print(bool final);

  std::int64_t total_;
  bool enabled_;
  std::FILE* out_;
  bool terminal_;
  std::int64_t done_ = 0;
  Clock::time_point started_;
  Clock::time_point lastPrint_;
  // The rate is measured over a window that restarts every few seconds, so it follows
  // the scene being rendered rather than the mean since the start.
  Clock::time_point windowStart_;
  std::int64_t windowFrames_ = 0;
  double rate_ = 0.0;
  std::size_t lastLength_ = 0;
};

}  // namespace quintaval
