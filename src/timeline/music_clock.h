// The music as the demo's clock. start() decodes the whole file, opens the default
// output and plays from the first frame, looping when asked; the time is then the
// position the listener hears (see PlaybackSmoother), wrapping to 0 at the end of a
// looping piece and running on in silence after the end of one that does not loop.
//
// Failures are reported and never stop the program: without an output device the music
// plays silently on SDL's dummy driver, and time follows the steady clock from the start
// of play (nobody hears the dummy, and its pacing slips when the machine is busy);
// without music (missing or undecodable file) the show still plays: time follows the
// steady clock from start(), wrapping at the demo's length when looping, and the spectrum
// is silence.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio/audio_output.h"
#include "platform/audio/decoded_music.h"
#include "timeline/clock.h"
#include "timeline/playback_smoother.h"

namespace quintaval {

class MusicClock : public Clock {
 public:
  static constexpr const char* kInitFailedMessage =
      "Bass init failed! Remembered the bass.dll file?";
  static constexpr const char* kLoadFailedMessage = "Bass file loading failed!";
  static constexpr const char* kPlayFailedMessage = "Music failed to play!";
  static constexpr const char* kRewindFailedMessage = "Failed to start song at the start";

  MusicClock() = default;
  ~MusicClock() override;
  MusicClock(const MusicClock&) = delete;
  MusicClock& operator=(const MusicClock&) = delete;

  // Decodes `path` and plays it (see the file comment for failures).
  void start(const std::string& path, bool loop);
  // Plays music decoded elsewhere; nullptr counts as a file that failed to load.
  void start(std::shared_ptr<const DecodedMusic> music, bool loop);
  // Stops playback and releases the output; time returns to 0.
  void stop();

  double seconds() const override;
  void fetchSpectrum(float* out) const override;

  // Follow the dummy driver's callbacks as if it were a device, so tests can exercise the
  // device path without a sound card. Off by default.
  void followDummyCallbacks(bool follow) { followDummyCallbacks_ = follow; }

  bool hasMusic() const { return music_ != nullptr; }
  // Whether time runs on the steady clock because there is no music to follow.
  bool playingWithoutMusic() const { return withoutMusicSinceNs_ >= 0; }
  bool playingSilently() const { return silent_; }
  const std::shared_ptr<const DecodedMusic>& music() const { return music_; }

 private:
  std::shared_ptr<const DecodedMusic> music_;
  AudioOutput output_;
  bool loop_ = false;
  bool silent_ = false;
  bool followDummyCallbacks_ = false;
  std::int64_t withoutMusicSinceNs_ = -1;  // steady clock at start() without music; -1 otherwise
  // The smooth clock advances on every reading, from the main thread only.
  mutable PlaybackSmoother smoother_;
};

}  // namespace quintaval
