#include "author/transport.h"

#include "playback/music_clock.h"

namespace quintaval {

void Transport::togglePause() { clock_.paused() ? clock_.resume() : clock_.pause(); }

double Transport::seconds() const { return clock_.seconds(); }

void Transport::seekBy(double seconds) { seekTo(clock_.seconds() + seconds); }

void Transport::seekTo(double seconds) {
  clock_.seek(seconds < 0.0 ? 0.0 : seconds);
  update();
}

void Transport::markLoopStart() {
  loop_.start = clock_.seconds();
  if (loop_.end && *loop_.end <= *loop_.start) loop_.end.reset();
}

void Transport::markLoopEnd() {
  loop_.end = clock_.seconds();
  if (loop_.start && *loop_.start >= *loop_.end) loop_.start.reset();
}

bool Transport::update() {
  if (!loop_.active()) return false;
  const double now = clock_.seconds();
  if (now >= *loop_.start && now < *loop_.end) return false;
  clock_.seek(*loop_.start);
  return true;
}

}  // namespace quintaval
