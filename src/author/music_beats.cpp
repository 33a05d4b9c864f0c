#include "author/music_beats.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <utility>

#include "analysis/beat_tracking.h"
#include "timeline/clock.h"

namespace quintaval {
namespace {

constexpr double kSameTime = 1e-3;

}  // namespace

MusicBeats::~MusicBeats() {
  if (running_.valid()) running_.wait();
}

void MusicBeats::start(std::shared_ptr<const DecodedMusic> music) {
  requested_ = music;
  running_ = std::async(std::launch::async, [music, given = given_] {
    const auto begun = std::chrono::steady_clock::now();
    auto marks = std::make_shared<BeatMarks>();
    MusicAnalysis analysis =
        analyseMusic(music->samples.data(), static_cast<std::size_t>(music->frames()), music->channels,
                     music->sampleRate);
    if (given) {
      marks->bpm = given->bpm;
      marks->beats = beatsAtTempo(given->bpm, given->offsetSeconds, music->seconds());
    } else {
      marks->bpm = analysis.bpm;
      marks->beats = std::move(analysis.beats);
    }
    marks->onsets = std::move(analysis.onsets);
    for (const Onset& onset : marks->onsets) marks->onsetTimes.push_back(onset.seconds);
    marks->analysisSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
    return std::shared_ptr<const BeatMarks>(std::move(marks));
  });
}

bool MusicBeats::update(const std::shared_ptr<const DecodedMusic>& music, std::string& note) {
  if (music && music != requested_ && music != pending_) {
    if (running_.valid()) {
      pending_ = music;
    } else {
      start(music);
    }
  }
  if (!running_.valid() || running_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return false;
  marks_ = running_.get();
  if (pending_) start(std::exchange(pending_, nullptr));

  char text[160];
  if (given_) {
    std::snprintf(text, sizeof text, "beats: %g BPM from --bpm (offset %g s), %zu onsets found in %.2f s",
                  marks_->bpm, given_->offsetSeconds, marks_->onsets.size(), marks_->analysisSeconds);
  } else if (marks_->beats.empty()) {
    std::snprintf(text, sizeof text, "beats: no steady pulse found (--bpm gives one); %zu onsets found in %.2f s",
                  marks_->onsets.size(), marks_->analysisSeconds);
  } else {
    std::snprintf(text, sizeof text, "beats: %.1f BPM, %zu beats and %zu onsets found in %.2f s", marks_->bpm,
                  marks_->beats.size(), marks_->onsets.size(), marks_->analysisSeconds);
  }
  note = text;
  return true;
}

std::optional<double> neighbourTime(const std::vector<double>& times, double seconds, int direction) {
  if (direction > 0) {
    const auto after = std::upper_bound(times.begin(), times.end(), seconds + kSameTime);
    if (after == times.end()) return std::nullopt;
    return *after;
  }
  const auto notBefore = std::lower_bound(times.begin(), times.end(), seconds - kSameTime);
  if (notBefore == times.begin()) return std::nullopt;
  return *(notBefore - 1);
}

int snapToNearest(const std::vector<double>& times, int row) {
  if (times.empty()) return row;
  const double seconds = row / kRowsPerSecond;
  const auto next = std::lower_bound(times.begin(), times.end(), seconds);
  double nearest = next == times.end() ? times.back() : *next;
  if (next != times.begin() && std::fabs(*(next - 1) - seconds) < std::fabs(nearest - seconds)) nearest = *(next - 1);
  return static_cast<int>(std::lround(nearest * kRowsPerSecond));
}

}  // namespace quintaval
