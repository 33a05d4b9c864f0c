// The music's beats and onsets for author mode, found on a worker thread: once for the
// music the demo started with and again whenever author mode swaps in a reloaded one. The
// GL thread only starts the work and takes the result between frames.
//
// An author who knows the tempo better gives it (--bpm, --beat-offset): the beats then
// come from it, for the whole piece, and the analysis still finds the onsets.
#pragma once

#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/music_analysis.h"
#include "platform/audio/decoded_music.h"

namespace quintaval {

// The author's tempo: beats at offsetSeconds + k * 60 / bpm.
struct GivenTempo {
  double bpm = 0.0;
  double offsetSeconds = 0.0;
};

// What the views show of the rhythm; shared with every frame's snapshot.
struct BeatMarks {
  double bpm = 0.0;
  std::vector<double> beats;  // seconds, in order; every fourth from the first starts a bar
  std::vector<Onset> onsets;
  std::vector<double> onsetTimes;  // the onsets' seconds, for jumps and snapping
  double analysisSeconds = 0.0;  // how long the analysis took
};

class MusicBeats {
 public:
  explicit MusicBeats(std::optional<GivenTempo> given) : given_(given) {}
  ~MusicBeats();
  MusicBeats(const MusicBeats&) = delete;
  MusicBeats& operator=(const MusicBeats&) = delete;

  // Once a frame with the music the demo plays now (null when it did not decode). Starts
  // the analysis of music not seen before (after the one running ends), and takes a
  // finished one: then true, with `note` saying what was found.
  bool update(const std::shared_ptr<const DecodedMusic>& music, std::string& note);

  // Empty until the first analysis ends.
  const std::shared_ptr<const BeatMarks>& marks() const { return marks_; }

 private:
  void start(std::shared_ptr<const DecodedMusic> music);

  std::optional<GivenTempo> given_;
  std::shared_ptr<const DecodedMusic> requested_;  // the music analysed or being analysed
  std::future<std::shared_ptr<const BeatMarks>> running_;
  std::shared_ptr<const DecodedMusic> pending_;  // seen while another analysis ran
  std::shared_ptr<const BeatMarks> marks_ = std::make_shared<BeatMarks>();
};

// The time of `times` (in order) just after `seconds`, or just before it when `direction`
// is negative; a time within a millisecond of `seconds` is where it is, not after or
// before it. Empty when there is none.
std::optional<double> neighbourTime(const std::vector<double>& times, double seconds, int direction);

// The sync row nearest the time of `times` nearest `row`; `row` itself when `times` is
// empty.
int snapToNearest(const std::vector<double>& times, int row);

}  // namespace quintaval
