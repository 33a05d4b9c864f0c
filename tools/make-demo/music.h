// The sample demo's music: a synthesised track of 134 seconds at 120 beats per minute in
// A minor, 44.1 kHz stereo, written as Data/Sound/Musica.mp3. One bar is 2 s (28 rows of
// the sync tracks at 14 rows per second) and the arrangement changes every 16 s (224 rows),
// where the sync sheet cuts between scenes:
//   0-16 s intro, 16-32 s bass, 32-48 s full with lead (3D), 48-64 s second theme,
//   64-80 s full (3D), 80-96 s breakdown, 96-112 s finale (3D), 112-128 s outro,
//   then the last chord rings out until 134 s.
// The kick settles at 50 Hz, in spectrum bin 1 of a 1024-sample FFT, and the bass stays
// above 80 Hz, so bin 1 follows the beat.
#pragma once

#include <vector>

#include "demo_tree.h"

namespace quintaval::demo {

constexpr int kMusicSampleRate = 44100;
constexpr double kMusicSeconds = 134.0;

struct StereoSamples {
  std::vector<float> left;
  std::vector<float> right;
};

// The whole track as samples in [-1, 1].
StereoSamples synthesiseMusic();

void makeMusic(DemoTree& tree);

}  // namespace quintaval::demo
