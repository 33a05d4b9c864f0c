// quintaval-inspect music FILE: an MP3 file as the player decodes it and what the music's
// analysis finds in it — sample rate, channels, length, the tempo, the beats and the
// onsets with their strengths (0 to 1). Times are seconds from the first sample, to a
// tenth of a millisecond.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>

#include "analysis/music_analysis.h"
#include "command.h"
#include "json_values.h"
#include "platform/audio/music_decoder.h"

namespace quintaval::inspect {
namespace {

// Divided, not multiplied back, so that JSON shows the decimal: 3.9999, not 3.99990000002.
double rounded(double value, double perUnit) { return std::round(value * perUnit) / perUnit; }

int inspectMusic(const std::string& path) {
  DecodedMusic music;
  std::string failure;
  if (!decodeMusicFile(path, music, &failure)) {
    std::fprintf(stderr, "quintaval-inspect: %s\n", failure.c_str());
    return 1;
  }
  const MusicAnalysis analysis = analyseMusic(music.samples.data(), static_cast<std::size_t>(music.frames()),
                                              music.channels, music.sampleRate);
  Json beats = Json::array();
  for (double beat : analysis.beats) beats.push_back(rounded(beat, 1e4));
  Json onsets = Json::array();
  for (const Onset& onset : analysis.onsets) {
    onsets.push_back({{"seconds", rounded(onset.seconds, 1e4)}, {"strength", rounded(onset.strength, 1e3)}});
  }
  const Json result = {{"file", path},
                       {"sample_rate", music.sampleRate},
                       {"channels", music.channels},
                       {"seconds", rounded(music.seconds(), 1e4)},
                       {"bpm", rounded(analysis.bpm, 1e3)},
                       {"beats", std::move(beats)},
                       {"onsets", std::move(onsets)}};
  std::cout << result.dump(2) << "\n";
  return 0;
}

std::function<int()> defineMusic(CLI::App& command) {
  auto file = std::make_shared<std::string>();
  command.add_option("FILE", *file, "An MP3 file")->required();
  return [file] { return inspectMusic(*file); };
}

const CommandRegistration kMusic{
    {"music", "An MP3 file: its length, tempo, beats and onsets", defineMusic}};

}  // namespace
}  // namespace quintaval::inspect
