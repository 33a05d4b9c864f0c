// A clock whose time the caller sets: offline capture steps it frame by frame, tests put
// it where they need it. With decoded music attached, its spectrum is the music's at that
// time, computed exactly as during live play.
#pragma once

#include <memory>

#include "platform/audio/decoded_music.h"
#include "timeline/clock.h"

namespace quintaval {

class FixedClock : public Clock {
 public:
  explicit FixedClock(double seconds = 0.0) : seconds_(seconds) {}

  void setTime(double seconds) { seconds_ = seconds; }
  // nullptr detaches; without music the spectrum is silence.
  void attachMusic(std::shared_ptr<const DecodedMusic> music) { music_ = std::move(music); }

  double seconds() const override { return seconds_; }
  const DecodedMusic* music() const override { return music_.get(); }

 private:
  double seconds_;
  std::shared_ptr<const DecodedMusic> music_;
};

}  // namespace quintaval
