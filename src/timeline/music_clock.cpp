// Starting runs four steps, each with its own message on failure: open the output, load
// the file, play, put the position at the start. None of them stops the program. The
// position is read in one place, seconds(), from the time source and the output.
#include "timeline/music_clock.h"

#include <algorithm>
#include <cmath>

#include "core/error_report.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/music_decoder.h"
#include "timeline/spectrum.h"

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
  if (!decodeMusicFile(path, *music)) music.reset();
  start(std::shared_ptr<const DecodedMusic>(std::move(music)), loop);
}

void MusicClock::start(std::shared_ptr<const DecodedMusic> music, bool loop) {
  stop();
  loop_ = loop;
  if (!music || music->frames() <= 0) {
    // Nothing to play, but a missing device is still worth its own message.
    if (!output_.deviceAvailable()) reportError(kInitFailedMessage);
    reportError(kLoadFailedMessage);
    // A demo without its music must not freeze on its first row: it plays on, silently.
    withoutMusicSinceNs_ = time_.nowNs();
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
}

void MusicClock::stop() {
  output_.close();
  music_.reset();
  withoutMusicSinceNs_ = -1;
  smoother_.reset();
}

double MusicClock::seconds() const {
  const std::int64_t now = time_.nowNs();
  if (playingWithoutMusic()) {
    const double elapsed = std::max<std::int64_t>(0, now - withoutMusicSinceNs_) * 1e-9;
    return loop_ ? std::fmod(elapsed, kDemoSeconds) : elapsed;
  }
  if (!music_ || !output_.isOpen()) return 0.0;
  double frames;
  if (output_.onDummyDriver()) {
    // Nothing is heard, and the dummy driver's own pacing slips on a busy machine: the
    // music plays at the time source's pace from the moment it started.
    frames = std::max<std::int64_t>(0, now - output_.playStartNs()) * 1e-9 * music_->sampleRate;
  } else {
    frames = smoother_.positionAt(output_.anchor(), output_.latencyFrames(), music_->sampleRate, now);
  }
  if (loop_) frames = std::fmod(frames, static_cast<double>(music_->frames()));
  return frames / music_->sampleRate;
}

void MusicClock::fetchSpectrum(float* out) const {
  if (!music_) {
    for (int k = 0; k < kSpectrumBins; ++k) out[k] = 0.0f;
    return;
  }
  computeSpectrum(*music_, seconds(), out);
}

}  // namespace quintaval
