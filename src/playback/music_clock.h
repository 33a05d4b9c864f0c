// The music as the demo's clock. start() decodes the whole file, opens the default
// output and plays from the first frame, looping when asked; the time is then the
// position the listener hears (see PlaybackSmoother), wrapping to 0 at the end of a
// looping piece and running on in silence after the end of one that does not loop.
//
// Failures are reported and never stop the program: without an output device the music
// plays silently on SDL's dummy driver, and time follows the time source from the start
// of play (nobody hears the dummy, and its pacing slips when the machine is busy);
// without music (missing or undecodable file) the show still plays: time follows the
// time source from start(), wrapping at the demo's length when looping, and the spectrum
// is silence. The message of a file that did not load carries the file and the decoder's
// reason as its details.
//
// The output and the time source are the SDL output and the steady clock unless the
// caller lends others (tests: a fake output and a hand-set time).
//
// Author mode pauses, resumes and seeks. The music is in memory, so a seek is exact: the
// next buffer the device plays starts at the new position, and the time reads that
// position at once (on a sound card, until the first buffer after the seek is heard).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio/audio_sink.h"
#include "platform/audio/decoded_music.h"
#include "timeline/clock.h"
#include "playback/playback_smoother.h"
#include "timeline/time_source.h"

namespace quintaval {

class MusicClock : public Clock {
 public:
  static constexpr const char* kInitFailedMessage =
      "Bass init failed! Remembered the bass.dll file?";
  static constexpr const char* kLoadFailedMessage = "Bass file loading failed!";
  static constexpr const char* kPlayFailedMessage = "Music failed to play!";
  static constexpr const char* kRewindFailedMessage = "Failed to start song at the start";

  // Plays through SDL's default output, on the steady clock.
  MusicClock();
  // Plays through `output` and reads `time`; both must outlive the clock.
  MusicClock(AudioSink& output, const TimeSource& time);
  ~MusicClock() override;
  MusicClock(const MusicClock&) = delete;
  MusicClock& operator=(const MusicClock&) = delete;

  // Decodes `path` and plays it (see the file comment for failures).
  void start(const std::string& path, bool loop);
  // Plays music decoded elsewhere; nullptr counts as a file that failed to load, and
  // `failure` says why (the file and the decoder's reason).
  void start(std::shared_ptr<const DecodedMusic> music, bool loop, const std::string& failure = std::string());
  // Stops playback and releases the output; time returns to 0.
  void stop();

  // Stops the sound and the time where they are; resume() goes on from there.
  void pause();
  void resume();
  bool paused() const { return paused_; }
  // Moves the play position to `seconds` (from 0 on), playing or paused.
  void seek(double seconds);
  // Plays `music` (decoded again after its file changed) from the current position.
  void replaceMusic(std::shared_ptr<const DecodedMusic> music);

  double seconds() const override;
  // Null while nothing plays (before start(), without music, after stop()).
  const DecodedMusic* music() const override { return music_.get(); }

 private:
  // Whether time runs on the time source alone because there is no music to follow.
  bool playingWithoutMusic() const { return withoutMusicSinceNs_ >= 0; }
  // Seconds of music, before wrapping, from the time source since the last (re)start.
  double sourceSeconds(std::int64_t now) const;
  double wrapped(double seconds) const;

  std::unique_ptr<AudioSink> ownedOutput_;  // the SDL output, unless one was lent
  AudioSink& output_;
  const TimeSource& time_;
  std::shared_ptr<const DecodedMusic> music_;
  bool loop_ = false;
  std::int64_t withoutMusicSinceNs_ = -1;  // time at start() without music; -1 otherwise
  // Where the time source's count starts: `runningFrom_` seconds at `runningSinceNs_`.
  double runningFrom_ = 0.0;
  std::int64_t runningSinceNs_ = 0;
  bool paused_ = false;
  double pausedAt_ = 0.0;
  // After a seek on a sound card: the position until the device hands over a buffer.
  mutable bool seekPending_ = false;
  double seekTarget_ = 0.0;
  // The smooth clock advances on every reading, from the main thread only.
  mutable PlaybackSmoother smoother_;
};

}  // namespace quintaval
