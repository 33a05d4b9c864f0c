#include "timeline/frame_time.h"

#include "timeline/spectrum.h"

namespace quintaval {

FrameTime FrameTime::read(const Clock& clock) {
  FrameTime time;
  time.seconds = clock.seconds();
  time.row = time.seconds * kRowsPerSecond;
  if (const DecodedMusic* music = clock.music()) computeSpectrum(*music, time.seconds, time.spectrum.data());
  return time;
}

}  // namespace quintaval
