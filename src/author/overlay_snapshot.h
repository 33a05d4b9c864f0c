// What the author overlay shows in one frame, copied out of the program before it is
// drawn: the overlay reads only this, and changes nothing but through the transport and
// the sync panel.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "author/author_log.h"
#include "author/music_beats.h"
#include "author/sync_panel.h"
#include "author/transport.h"
#include "scenes/demo_tracks.h"
#include "timeline/clock.h"

namespace quintaval {

struct TrackPlot {
  const char* name = "";
  float value = 0.0f;          // now
  std::vector<float> samples;  // the seconds around now, evenly spaced; `plotFrom` to `plotTo`
  std::vector<SyncKey> keys;   // the keys from `plotFrom` to `plotTo`
};

struct OverlaySnapshot {
  double seconds = 0.0;  // the play position
  double row = 0.0;      // the sync row, seconds x 14
  bool paused = false;
  double demoSeconds = kDemoSeconds;  // the timeline bar's length
  LoopRegion loop;
  int scene = 0;  // "scene.num" now
  std::vector<float> frameMilliseconds;  // the last frames' times, oldest first
  double plotFrom = 0.0, plotTo = 0.0;   // seconds covered by every TrackPlot
  std::vector<TrackPlot> tracks;         // the 19 tracks in DemoTrack order
  std::array<float, kSpectrumBins> spectrum{};
  std::array<int, 2> shakeBins{};  // the bins the camera shake reads (x, y)
  std::vector<AuthorLogEntry> log;  // the last entries, newest last
  SyncGrid sync;                    // the sync panel's rows around now
  std::shared_ptr<const BeatMarks> beats;  // the music's rhythm; null before its analysis
};

}  // namespace quintaval
