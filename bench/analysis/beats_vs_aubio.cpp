// Our beats against those of aubio's beat tracker (aubiotrack, from Debian's aubio-tools),
// on the same files: the sample demo's music, and click-and-noise tracks made here
// (tests/analysis/click_track.h) and written as 16-bit WAV files to a scratch folder. For
// each file: the tempo, the F-measure of the beats against the true ones within ±70 ms,
// and the seconds of computing per minute of music, the median of three runs. Ours is the
// file read and decoded (the player's MP3 decoder, or the WAV read here) and analysed in
// this process; aubio's is the whole aubiotrack process, which reads and decodes too.
// The sample's true beats are those with a drum hit: every beat from 0 s to 127.5 s
// (kicks until 124 s, then the hi-hat), by the generator's arrangement.
//
// Run: cmake --build build --target analysis_beats_bench && build/bench/analysis_beats_bench
//      [MP3 FILE, default build/demo/Data/Sound/Musica.mp3]
// aubio's columns read "-" when aubiotrack is not on PATH (scripts/install-deps.sh installs it).
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "analysis/music_analysis.h"
#include "click_track.h"
#include "platform/audio/music_decoder.h"

namespace {

using namespace quintaval;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kTolerance = 0.07;
constexpr int kRuns = 3;

struct Track {
  std::string name;
  fs::path file;
  std::vector<double> truth;
  double bpm = 0.0;  // the true tempo
};

struct Outcome {
  bool ran = false;
  std::vector<double> beats;
  double seconds = 0.0;  // of computing, the median of kRuns
};

// Matches each true beat with the first found beat within kTolerance not matched yet;
// beats are further apart than twice the tolerance, so no better matching exists.
double fMeasure(const std::vector<double>& truth, const std::vector<double>& found) {
  if (truth.empty() && found.empty()) return 1.0;
  std::size_t matched = 0, j = 0;
  for (double t : truth) {
    while (j < found.size() && found[j] < t - kTolerance) ++j;
    if (j < found.size() && found[j] <= t + kTolerance) {
      ++matched;
      ++j;
    }
  }
  return 2.0 * matched / static_cast<double>(truth.size() + found.size());
}

void writeWav(const fs::path& path, const std::vector<float>& samples, int rate) {
  const auto le = [](std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
  };
  std::ofstream out(path, std::ios::binary);
  const std::uint32_t data = static_cast<std::uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  le(out, 36 + data, 4);
  out.write("WAVEfmt ", 8);
  le(out, 16, 4);
  le(out, 1, 2);  // PCM
  le(out, 1, 2);  // one channel
  le(out, static_cast<std::uint32_t>(rate), 4);
  le(out, static_cast<std::uint32_t>(rate * 2), 4);
  le(out, 2, 2);
  le(out, 16, 2);
  out.write("data", 4);
  le(out, data, 4);
  for (float sample : samples) {
    const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
    le(out, static_cast<std::uint32_t>(value) & 0xffff, 2);
  }
}

// Reads back what writeWav wrote: the 44-byte header, then 16-bit mono samples.
bool readWav(const fs::path& path, DecodedMusic& music) {
  std::ifstream in(path, std::ios::binary);
  unsigned char header[44];
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
  music.sampleRate = header[24] | header[25] << 8 | header[26] << 16 | header[27] << 24;
  music.channels = 1;
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  music.samples.resize(bytes.size() / 2);
  for (std::size_t i = 0; i < music.samples.size(); ++i) {
    const auto value = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                                 static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    music.samples[i] = value / 32768.0f;
  }
  return true;
}

// Runs `run` kRuns times; its last beats and the median time.
Outcome timed(const std::function<bool(std::vector<double>&)>& run) {
  Outcome outcome;
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = Clock::now();
    outcome.ran = run(outcome.beats);
    times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    if (!outcome.ran) return outcome;
  }
  std::sort(times.begin(), times.end());
  outcome.seconds = times[kRuns / 2];
  return outcome;
}

// Also gives the tempo found and the median time of the analysis alone.
Outcome ours(const Track& track, double& bpm, double& analysisSeconds) {
  std::vector<double> analysisTimes;
  Outcome outcome = timed([&](std::vector<double>& beats) {
    DecodedMusic music;
    const bool read = track.file.extension() == ".wav" ? readWav(track.file, music)
                                                        : decodeMusicFile(track.file.string(), music);
    if (!read) return false;
    const auto start = Clock::now();
    const MusicAnalysis analysis = analyseMusic(music.samples.data(), static_cast<std::size_t>(music.frames()),
                                                music.channels, music.sampleRate);
    analysisTimes.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    beats = analysis.beats;
    bpm = analysis.bpm;
    return true;
  });
  std::sort(analysisTimes.begin(), analysisTimes.end());
  analysisSeconds = analysisTimes.empty() ? 0.0 : analysisTimes[analysisTimes.size() / 2];
  return outcome;
}

Outcome aubio(const Track& track) {
  return timed([&](std::vector<double>& beats) {
    beats.clear();
    const std::string command = "aubiotrack -i '" + track.file.string() + "' 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return false;
    double seconds = 0.0;
    while (std::fscanf(pipe, "%lf", &seconds) == 1) beats.push_back(seconds);
    const int status = pclose(pipe);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && !beats.empty();
  });
}

std::vector<double> sampleTruth() {
  std::vector<double> beats;
  for (int beat = 0; beat < 256; ++beat) beats.push_back(beat * 0.5);
  return beats;
}

std::vector<Track> clickTracks(const fs::path& folder) {
  struct Made {
    std::string name;
    testing::ClickTrackRecipe recipe;
    double bpm;
  };
  std::vector<Made> made(8);
  made[0] = {"87 BPM", {}, 87};
  made[1] = {"140 BPM in eighths", {}, 140};
  made[2] = {"100 BPM swung", {}, 100};
  made[3] = {"118 to 126 BPM", {}, 122};
  made[4] = {"95 BPM after 1.3 s", {}, 95};
  made[5] = {"62 BPM", {}, 62};
  made[6] = {"165 BPM", {}, 165};
  made[7] = {"87 BPM, loud noise", {}, 87};
  for (Made& m : made) {
    m.recipe.bpm = m.bpm;
    m.recipe.seconds = 60;
  }
  made[1].recipe.offbeat = 0.5;
  made[2].recipe.offbeat = 2.0 / 3.0;
  made[3].recipe.bpm = 118;
  made[3].recipe.endBpm = 126;
  made[4].recipe.firstBeat = 1.3;
  made[7].recipe.noise = 0.2f;
  std::vector<Track> tracks;
  for (std::size_t i = 0; i < made.size(); ++i) {
    const testing::ClickTrack click = makeClickTrack(made[i].recipe);
    const fs::path file = folder / ("track" + std::to_string(i) + ".wav");
    writeWav(file, click.samples, click.sampleRate);
    tracks.push_back({made[i].name, file, click.beats, made[i].bpm});
  }
  return tracks;
}

double minutesOf(const Track& track) {
  DecodedMusic music;
  if (track.file.extension() == ".wav" ? readWav(track.file, music) : decodeMusicFile(track.file.string(), music)) {
    return music.seconds() / 60.0;
  }
  return 0.0;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path sample = argc > 1 ? fs::path(argv[1]) : fs::path(QV_SAMPLE_MUSIC);
  const fs::path folder = fs::temp_directory_path() / ("analysis_beats_bench." + std::to_string(getpid()));
  fs::create_directories(folder);
  std::vector<Track> tracks = {{"sample demo (MP3)", sample, sampleTruth(), 120}};
  for (Track& track : clickTracks(folder)) tracks.push_back(std::move(track));

  std::printf("%-20s %6s | %-23s | %-13s | %-29s\n", "", "", "tempo (BPM)", "F, 70 ms", "seconds per minute of music");
  std::printf("%-20s %6s | %7s %7s %7s | %6s %6s | %9s %9s %9s\n", "file", "min", "true", "ours", "aubio", "ours",
              "aubio", "ours", "analysis", "aubio");
  int status = 0;
  for (const Track& track : tracks) {
    const double minutes = minutesOf(track);
    double bpm = 0.0, analysisSeconds = 0.0;
    const Outcome mine = ours(track, bpm, analysisSeconds);
    if (!mine.ran) {
      std::fprintf(stderr, "%s: cannot read\n", track.file.c_str());
      status = 1;
      continue;
    }
    const Outcome theirs = aubio(track);
    char theirBpm[16] = "-", theirF[16] = "-", theirTime[16] = "-";
    if (theirs.ran) {
      std::snprintf(theirBpm, sizeof theirBpm, "%.2f", tempoOfBeats(theirs.beats));
      std::snprintf(theirF, sizeof theirF, "%.3f", fMeasure(track.truth, theirs.beats));
      std::snprintf(theirTime, sizeof theirTime, "%.4f", theirs.seconds / minutes);
    }
    std::printf("%-20s %6.2f | %7.2f %7.2f %7s | %6.3f %6s | %9.4f %9.4f %9s\n", track.name.c_str(), minutes,
                track.bpm, bpm, theirBpm, fMeasure(track.truth, mine.beats), theirF, mine.seconds / minutes,
                analysisSeconds / minutes, theirTime);
  }
  std::printf("Ours: the file read or decoded and analysed, then the analysis alone; aubio: the\n"
              "aubiotrack process. aubio's tempo is that of its beats, measured as ours is.\n");
  fs::remove_all(folder);
  return status;
}
