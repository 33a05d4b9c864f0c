// The command line of quintaval-capture and the frame timing it implies. Frame k of a
// capture is drawn at from + k / fps seconds of music; the rate is kept as an exact
// fraction (59.94 is 2997/50, 60000/1001 stays as written) so that frame times do not
// drift over long spans. Numbers are read the same way whatever the locale. The command
// line is read with CLI11 through core/command_line.h, as the player's and every tool's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quintaval {

struct FrameRate {
  std::int64_t numerator = 60;
  std::int64_t denominator = 1;

  double perSecond() const { return static_cast<double>(numerator) / static_cast<double>(denominator); }
};

// Reads "60", "59.94" or "60000/1001". False for anything else, for 0 and for rates
// above 1000 frames per second.
bool parseFrameRate(const std::string& text, FrameRate& rate);

// The text ffmpeg takes for the rate: "60/1", "2997/50".
std::string frameRateText(const FrameRate& rate);

// Seconds of music at which frame `index` of a capture starting at `from` is drawn.
double frameSeconds(double from, const FrameRate& rate, std::int64_t index);

// Frames whose time lies in [from, to): the last one is drawn before `to`.
std::int64_t frameCount(double from, double to, const FrameRate& rate);

enum class CaptureOutput { kNone, kPng, kVideo };

struct CaptureOptions {
  int width = 1920;
  int height = 1080;
  FrameRate fps;
  double from = 0.0;
  double to = 128.0;
  bool multisampling = true;
  CaptureOutput output = CaptureOutput::kNone;
  std::string outputPath;  // the PNG directory or the video file
  std::string dataDir;     // the directory holding Data/; empty: the working directory
  bool quiet = false;
};

// The widest and tallest frame accepted.
constexpr int kMaxCaptureSize = 16384;

// Parses the command line: std::nullopt to go on with `options`, otherwise the exit status,
// 0 after --help or --version, 2 after a one-line usage message on standard error. A bad
// value counts even next to --help; the checks between options do not apply to --help.
std::optional<int> parseCaptureOptions(int argc, char** argv, CaptureOptions& options);

}  // namespace quintaval
