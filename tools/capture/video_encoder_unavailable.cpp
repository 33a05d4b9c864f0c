// Where ffmpeg cannot be run the way the encoder feeds it (a frame pipe on a descriptor of
// its own: Windows), an MP4 is refused when it is asked for, with the way around it.
#include "capture/video_encoder.h"

#include "core/error_report.h"

namespace quintaval {

VideoEncoder::VideoEncoder(VideoSettings settings) : settings_(std::move(settings)) {}

VideoEncoder::~VideoEncoder() = default;

bool VideoEncoder::open(const DecodedMusic&) {
  reportError("this build cannot write " + settings_.path + ": MP4 needs ffmpeg, which it does not run; use --png");
  return false;
}

bool VideoEncoder::writeFrame(const unsigned char*, std::int64_t) { return false; }

bool VideoEncoder::finish() { return false; }

}  // namespace quintaval
