#include "capture/capture_options.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <numeric>

#include "core/command_line.h"

namespace quintaval {
namespace {

constexpr std::int64_t kMaxFramesPerSecond = 1000;
// Frame counts are rounded up, but a product such as 128 × 60 that lands a hair above a
// whole number through rounding must not gain a frame.
constexpr double kFrameCountSlack = 1e-6;

bool parseWhole(const std::string& text, std::int64_t& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

bool allDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

bool parseFrameRate(const std::string& text, FrameRate& rate) {
  std::int64_t numerator = 0;
  std::int64_t denominator = 1;
  const auto slash = text.find('/');
  const auto dot = text.find('.');
  if (slash != std::string::npos) {
    const std::string top = text.substr(0, slash);
    const std::string bottom = text.substr(slash + 1);
    if (!allDigits(top) || !allDigits(bottom) || top.size() > 9 || bottom.size() > 9) return false;
    parseWhole(top, numerator);
    parseWhole(bottom, denominator);
  } else if (dot != std::string::npos) {
    const std::string whole = text.substr(0, dot);
    const std::string fraction = text.substr(dot + 1);
    if (!allDigits(whole) || !allDigits(fraction) || whole.size() > 4 || fraction.size() > 6) return false;
    std::int64_t wholePart = 0;
    std::int64_t fractionPart = 0;
    parseWhole(whole, wholePart);
    parseWhole(fraction, fractionPart);
    for (std::size_t i = 0; i < fraction.size(); ++i) denominator *= 10;
    numerator = wholePart * denominator + fractionPart;
  } else {
    if (!allDigits(text) || text.size() > 9) return false;
    parseWhole(text, numerator);
  }
  if (numerator <= 0 || denominator <= 0) return false;
  if (numerator > kMaxFramesPerSecond * denominator) return false;
  const std::int64_t divisor = std::gcd(numerator, denominator);
  rate.numerator = numerator / divisor;
  rate.denominator = denominator / divisor;
  return true;
}

std::string frameRateText(const FrameRate& rate) {
  return std::to_string(rate.numerator) + "/" + std::to_string(rate.denominator);
}

double frameSeconds(double from, const FrameRate& rate, std::int64_t index) {
  return from + static_cast<double>(index) * static_cast<double>(rate.denominator) /
                    static_cast<double>(rate.numerator);
}

std::int64_t frameCount(double from, double to, const FrameRate& rate) {
  if (!(to > from)) return 0;
  const double frames = (to - from) * static_cast<double>(rate.numerator) / static_cast<double>(rate.denominator);
  return static_cast<std::int64_t>(std::ceil(frames - kFrameCountSlack));
}

constexpr const char* kDescription =
    "Renders the demo in the Data/ directory offline, frame by frame, exactly as the player "
    "would show it at each moment: frame k is drawn at FROM + k / FPS seconds of music.";

constexpr const char* kFooter =
    "Exactly one of --png and --video is needed. Options take their value as the next\n"
    "argument or after '=' (--fps=30).\n"
    "Exit status: 0 every frame was written, 1 the demo could not be started or an\n"
    "output not written, 2 bad command line.";

std::optional<int> parseCaptureOptions(int argc, char** argv, CaptureOptions& options) {
  CLI::App app(kDescription, "quintaval-capture");
  app.set_version_flag("--version", "quintaval-capture " QV_VERSION);
  app.footer(kFooter);
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  // Each value is read as CLI11 takes it: `read` returns what is wrong with it, or "".
  using Reader = std::function<std::string(const std::string&)>;
  auto add = [&app](const std::string& name, const std::string& type, const std::string& help, Reader read) {
    app.add_option_function<std::string>(
           name,
           [read](const std::string& value) {
             const std::string problem = read(value);
             if (!problem.empty()) throw CLI::ValidationError(problem);
           },
           help)
        ->type_name(type);
  };
  auto size = [](const std::string& name, int& size) -> Reader {
    return [name, &size](const std::string& value) -> std::string {
      std::int64_t whole = 0;
      if (!parseWhole(value, whole) || whole < 1 || whole > kMaxCaptureSize) {
        return name + " must be a whole number of pixels from 1 to " + std::to_string(kMaxCaptureSize) +
               ", not '" + value + "'";
      }
      size = static_cast<int>(whole);
      return "";
    };
  };
  auto seconds = [](const std::string& name, double& seconds) -> Reader {
    return [name, &seconds](const std::string& value) -> std::string {
      if (!parseSeconds(value, seconds) || seconds < 0.0) {
        return name + " must be a number of seconds, 0 or more, not '" + value + "'";
      }
      return "";
    };
  };
  bool sawPng = false;
  bool sawVideo = false;
  auto output = [&options](const std::string& name, CaptureOutput kind, bool& saw) -> Reader {
    return [name, kind, &saw, &options](const std::string& value) -> std::string {
      if (value.empty()) return name + " needs a " + (kind == CaptureOutput::kPng ? "directory" : "file name");
      saw = true;
      options.output = kind;
      options.outputPath = value;
      return "";
    };
  };
  add("--png", "DIR", "write numbered PNG files DIR/frame-000000.png, ... (DIR is created when missing)",
      output("--png", CaptureOutput::kPng, sawPng));
  add("--video", "FILE", "write an H.264 MP4 with the music of the span (needs ffmpeg, and an even width and height)",
      output("--video", CaptureOutput::kVideo, sawVideo));
  const std::string sizes = "1 to " + std::to_string(kMaxCaptureSize);
  add("--width", "N", "frame width in pixels, " + sizes + " (default 1920)", size("--width", options.width));
  add("--height", "N",
      "frame height in pixels, " + sizes +
          " (default 1080); the picture keeps 16:9 from the full width, as in the player",
      size("--height", options.height));
  add("--fps", "RATE", "frames per second, above 0 and at most 1000: 60 (default), 59.94, 60000/1001, 1/16, ...",
      [&options](const std::string& value) -> std::string {
        if (parseFrameRate(value, options.fps)) return "";
        return "--fps must be a rate above 0 and up to 1000, such as 60, 59.94 or 60000/1001, not '" + value + "'";
      });
  add("--from", "SECONDS", "start of the span of music, 0 or more (default 0)", seconds("--from", options.from));
  add("--to", "SECONDS", "end of the span, not included; after --from (default 128)", seconds("--to", options.to));
  add("--multisampling", "on|off", "4x multisampling as in the player (default on)",
      [&options](const std::string& value) -> std::string {
        if (value != "on" && value != "off") return "--multisampling must be on or off, not '" + value + "'";
        options.multisampling = onOff(value);
        return "";
      });
  add("--data", "DIR", "run in DIR, the directory that holds Data/ (default: the working directory if it holds Data/, else the installed sample demo)",
      [&options](const std::string& value) -> std::string {
        if (value.empty()) return "--data needs a directory";
        options.dataDir = value;
        return "";
      });
  app.add_flag("--quiet", options.quiet, "no loading line, progress line or summary on standard error");
  if (std::optional<int> status = parseCommandLine(app, argc, argv)) return status;

  if (sawPng && sawVideo) return commandLineError(app, "--png and --video cannot be used together");
  if (options.output == CaptureOutput::kNone) {
    return commandLineError(app, "choose an output: --png DIR or --video FILE");
  }
  if (!(options.to > options.from)) return commandLineError(app, "--to must come after --from");
  if (frameCount(options.from, options.to, options.fps) < 1) {
    return commandLineError(app, "the span from --from to --to holds no frame at this rate");
  }
  if (options.output == CaptureOutput::kVideo && (options.width % 2 != 0 || options.height % 2 != 0)) {
    return commandLineError(app, "--video needs an even width and height (H.264 in 4:2:0)");
  }
  return std::nullopt;
}

}  // namespace quintaval
