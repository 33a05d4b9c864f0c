// The author's transport over the music clock: pause and resume, seeking by steps or to
// a time, and a loop region. With a region set (its start before its end), time that
// leaves it (by playing past its end, or a seek outside it) goes back to its start, so
// the demo plays the region over and over. Times are seconds of music.
#pragma once

#include <optional>

namespace quintaval {

class MusicClock;

struct LoopRegion {
  std::optional<double> start;
  std::optional<double> end;
  bool active() const { return start && end && *start < *end; }
};

class Transport {
 public:
  explicit Transport(MusicClock& clock) : clock_(clock) {}

  void togglePause();
  void seekBy(double seconds);
  void seekTo(double seconds);
  // "[" and "]": the region's start or end at the current time. Backspace: no region.
  void markLoopStart();
  void markLoopEnd();
  void clearLoop() { loop_ = {}; }

  // Once per frame after the clock's update: keeps time inside an active region. True
  // when it sent time back to the region's start.
  bool update();

  const LoopRegion& loop() const { return loop_; }
  double seconds() const;  // the play position

 private:
  MusicClock& clock_;
  LoopRegion loop_;
};

}  // namespace quintaval
