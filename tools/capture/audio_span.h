// The music of a captured span, for the video's sound track: the decoded samples from the
// span's first frame on, as many as the span lasts, so sound and picture line up exactly
// as in live play. Past the end of the music, and without music at all, it is silence.
#pragma once

#include <string>

#include "platform/audio/decoded_music.h"

namespace quintaval {

// Silence without music has this format.
constexpr int kSilenceSampleRate = 44100;
constexpr int kSilenceChannels = 2;

// `seconds` of `music` (may be null) starting at `from`, at the music's own rate.
DecodedMusic musicSpan(const DecodedMusic* music, double from, double seconds);

// Writes a 16-bit PCM WAV file. False after reporting a failure.
bool writeWavFile(const std::string& path, const DecodedMusic& audio);

}  // namespace quintaval
