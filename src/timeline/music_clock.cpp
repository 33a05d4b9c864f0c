// Starting runs four steps, each with its own message on failure: open the output, load
// the file, play, put the position at the start. None of them stops the program.
#include "timeline/music_clock.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/error_report.h"
#include "platform/audio/music_decoder.h"
#include "timeline/spectrum.h"

namespace quintaval {
namespace {

std::int64_t steadyNowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

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
    if (!AudioOutput::deviceAvailable()) reportError(kInitFailedMessage);
    reportError(kLoadFailedMessage);
    // A demo without its music must not freeze on its first row: it plays on, silently.
    withoutMusicSinceNs_ = steadyNowNs();
    return;
  }

  const AudioOutput::OpenResult opened = output_.open(music, loop);
  if (opened != AudioOutput::OpenResult::kDevice) reportError(kInitFailedMessage);
  if (opened == AudioOutput::OpenResult::kFailed) {
    reportError(kPlayFailedMessage);
    return;
  }
  music_ = std::move(music);
  silent_ = opened == AudioOutput::OpenResult::kDummyDriver;
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
  silent_ = false;
  withoutMusicSinceNs_ = -1;
  smoother_.reset();
}

double MusicClock::seconds() const {
  const std::int64_t now = steadyNowNs();
  if (playingWithoutMusic()) {
    const double elapsed = std::max<std::int64_t>(0, now - withoutMusicSinceNs_) * 1e-9;
    return loop_ ? std::fmod(elapsed, kDemoSeconds) : elapsed;
  }
  if (!music_ || !output_.isOpen()) return 0.0;
  double frames;
  if (output_.onDummyDriver() && !followDummyCallbacks_) {
    // Nothing is heard, and the dummy driver's own pacing slips on a busy machine: the
    // music plays at the steady clock's pace from the moment it started.
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
