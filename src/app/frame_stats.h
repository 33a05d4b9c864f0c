// A debug counter for start-up and frame times, off unless the environment variable
// QUINTAVAL_FRAME_STATS is set. It prints, at the end of the run, the time from "Start"
// to the first demo frame and the mean and 99th-percentile frame times per scene.
#pragma once

#include <chrono>
#include <map>
#include <vector>

namespace quintaval {

class FrameStats {
 public:
  FrameStats();
  bool enabled() const { return enabled_; }
  // The viewer pressed "Start".
  void markStart();
  // One main-loop iteration ended, having shown `scene` ("scene.num").
  void frameDone(float scene);
  // Writes the figures to standard error.
  void report() const;

 private:
  using Clock = std::chrono::steady_clock;
  bool enabled_ = false;
  Clock::time_point start_;
  Clock::time_point lastFrame_;
  double firstFrameSeconds_ = -1.0;
  std::map<int, std::vector<double>> frameMilliseconds_;  // by scene; -1: no scene
};

}  // namespace quintaval
