#include "capture/audio_span.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/error_report.h"

namespace quintaval {
namespace {

void putLe(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void putTag(std::vector<unsigned char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

DecodedMusic musicSpan(const DecodedMusic* music, double from, double seconds) {
  DecodedMusic span;
  const bool hasMusic = music && music->sampleRate > 0 && music->channels > 0;
  span.sampleRate = hasMusic ? music->sampleRate : kSilenceSampleRate;
  span.channels = hasMusic ? music->channels : kSilenceChannels;
  const auto first = static_cast<std::int64_t>(std::llround(from * span.sampleRate));
  const auto count = static_cast<std::int64_t>(std::llround(seconds * span.sampleRate));
  span.samples.assign(static_cast<std::size_t>(std::max<std::int64_t>(count, 0)) * span.channels, 0.0f);
  if (!hasMusic) return span;

  const std::int64_t available = std::clamp<std::int64_t>(music->frames() - first, 0, count);
  if (available > 0) {
    const auto begin = music->samples.begin() + first * music->channels;
    std::copy(begin, begin + available * music->channels, span.samples.begin());
  }
  return span;
}

bool writeWavFile(const std::string& path, const DecodedMusic& audio) {
  // RIFF sizes are 32-bit: about 6 hours of 48 kHz stereo.
  if (audio.samples.size() * 2 > 0xFFFFFF00u) {
    reportError("The sound of the span is too long for a WAV file: " + path);
    return false;
  }
  const auto dataBytes = static_cast<std::uint32_t>(audio.samples.size() * 2);
  const auto channels = static_cast<std::uint32_t>(audio.channels);
  const auto rate = static_cast<std::uint32_t>(audio.sampleRate);
  std::vector<unsigned char> bytes;
  bytes.reserve(44 + dataBytes);
  putTag(bytes, "RIFF");
  putLe(bytes, 36 + dataBytes, 4);
  putTag(bytes, "WAVE");
  putTag(bytes, "fmt ");
  putLe(bytes, 16, 4);
  putLe(bytes, 1, 2);  // integer PCM
  putLe(bytes, channels, 2);
  putLe(bytes, rate, 4);
  putLe(bytes, rate * channels * 2, 4);
  putLe(bytes, channels * 2, 2);
  putLe(bytes, 16, 2);
  putTag(bytes, "data");
  putLe(bytes, dataBytes, 4);
  for (float sample : audio.samples) {
    const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
    putLe(bytes, static_cast<std::uint32_t>(static_cast<std::int16_t>(value)), 2);
  }

  std::FILE* file = std::fopen(path.c_str(), "wb");
  bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file && std::fclose(file) != 0) written = false;
  if (!written) reportError("Could not write " + path);
  return written;
}

}  // namespace quintaval
