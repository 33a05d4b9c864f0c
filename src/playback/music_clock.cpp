// Starting runs four steps, each with its own message on failure: open the output, load
// the file, play, put the position at the start. None of them stops the program. The
// position is read in one place, seconds(), from the time source and the output.
#include "playback/music_clock.h"

#include <algorithm>
#include <cmath>

#include "core/error_report.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/music_decoder.h"

namespace quintaval {
namespace {

const TimeSource& steadyTime() {
  static const SteadyTimeSource steady;
  return steady;
}

}  // namespace

MusicClock::MusicClock()
    : ownedOutput_(std::make_unique<AudioOutput>()), output_(*ownedOutput_), time_(steadyTime()) {}

MusicClock::MusicClock(AudioSink& output, const TimeSource& time) : output_(output), time_(time) {}

MusicClock::~MusicClock() { stop(); }

void MusicClock::start(const std::string& path, bool loop) {
  auto music = std::make_shared<DecodedMusic>();
  std::string failure;
  if (!decodeMusicFile(path, *music, &failure)) music.reset();
  start(std::shared_ptr<const DecodedMusic>(std::move(music)), loop, failure);
}

void MusicClock::start(std::shared_ptr<const DecodedMusic> music, bool loop, const std::string& failure) {
  stop();
  loop_ = loop;
  if (!music || music->frames() <= 0) {
    // Nothing to play, but a missing device is still worth its own message.
    if (!output_.deviceAvailable()) reportError(kInitFailedMessage);
    reportError(kLoadFailedMessage, failure);
    // A demo without its music must not freeze on its first row: it plays on, silently.
    withoutMusicSinceNs_ = time_.nowNs();
    runningSinceNs_ = withoutMusicSinceNs_;
    return;
  }

  const AudioSink::OpenResult opened = output_.open(music, loop);
  if (opened != AudioSink::OpenResult::kDevice) reportError(kInitFailedMessage);
  if (opened == AudioSink::OpenResult::kFailed) {
    reportError(kPlayFailedMessage);
    return;
  }
  music_ = std::move(music);
  smoother_.reset();
  // Rewound before the callback runs, so no frame is handed over twice; the messages
  // keep their usual order.
  const bool rewound = output_.rewind();
  if (!output_.play()) reportError(kPlayFailedMessage);
  if (!rewound) reportError(kRewindFailedMessage);
  runningSinceNs_ = output_.playStartNs();
}

void MusicClock::stop() {
  output_.close();
  music_.reset();
  withoutMusicSinceNs_ = -1;
  smoother_.reset();
  runningFrom_ = 0.0;
  runningSinceNs_ = 0;
  paused_ = false;
  seekPending_ = false;
}

void MusicClock::pause() {
  if (paused_) return;
  pausedAt_ = seconds();
  paused_ = true;
  output_.pause();
}

void MusicClock::resume() {
  if (!paused_) return;
  paused_ = false;
  seek(pausedAt_);
  output_.play();
}

void MusicClock::seek(double target) {
  target = std::max(0.0, target);
  if (paused_) {
    pausedAt_ = target;
    return;
  }
  runningFrom_ = target;
  runningSinceNs_ = time_.nowNs();
  if (!music_) return;
  output_.seekTo(static_cast<std::uint64_t>(std::llround(target * music_->sampleRate)));
  smoother_.reset();
  seekPending_ = true;
  seekTarget_ = target;
}

void MusicClock::replaceMusic(std::shared_ptr<const DecodedMusic> music) {
  const double at = seconds();
  const bool wasPaused = paused_;
  start(std::move(music), loop_);
  seek(at);
  if (wasPaused) pause();
}

double MusicClock::sourceSeconds(std::int64_t now) const {
  return runningFrom_ + std::max<std::int64_t>(0, now - runningSinceNs_) * 1e-9;
}

double MusicClock::wrapped(double seconds) const {
  if (!loop_) return seconds;
  const double length = music_ ? static_cast<double>(music_->frames()) / music_->sampleRate : kDemoSeconds;
  return length > 0.0 ? std::fmod(seconds, length) : seconds;
}

double MusicClock::seconds() const {
  if (paused_) return wrapped(pausedAt_);
  const std::int64_t now = time_.nowNs();
  // Without music, and on the dummy driver (nothing is heard, and its own pacing slips on
  // a busy machine), the music plays at the time source's pace.
  if (playingWithoutMusic()) return wrapped(sourceSeconds(now));
  if (!music_ || !output_.isOpen()) return 0.0;
  if (output_.onDummyDriver()) return wrapped(sourceSeconds(now));
  const AudioAnchor anchor = output_.anchor();
  if (seekPending_) {
    if (!anchor.valid) return wrapped(seekTarget_);
    seekPending_ = false;
  }
  const double frames = smoother_.positionAt(anchor, output_.latencyFrames(), music_->sampleRate, now);
  return wrapped(frames / music_->sampleRate);
}

}  // namespace quintaval
