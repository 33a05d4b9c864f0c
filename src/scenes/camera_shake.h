// The music-driven camera shake: per axis, one spectrum bin chosen by a track, scaled by
// two strength tracks.
#pragma once

#include "core/math.h"
#include "scenes/demo_tracks.h"

namespace quintaval {

// The spectrum bin a "cam.shake.dat" value selects at music time t. Values from 512 up
// are replaced by sin(t * 10000), values below 0 by cos(t * 10000) (the product taken in
// single precision), then truncated toward zero. A bin outside 0..511 (the cosine at
// exactly -1, a damaged track) reads bin 0.
int shakeBin(float dat, float t);

// (shake.x, shake.y) for this frame's track values and 512-bin spectrum.
Vec2 cameraShake(const TrackValues& tracks, const float* spectrum, float t);

}  // namespace quintaval
