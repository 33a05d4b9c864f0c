#include "capture/capture_options.h"

#include <charconv>
#include <cmath>
#include <numeric>

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

bool parseSeconds(const std::string& text, double& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  return ec == std::errc() && ptr == end && !text.empty() && std::isfinite(value);
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

const char* const kCaptureUsage = R"(usage: quintaval-capture [options] (--png DIR | --video FILE)

Renders the demo in the Data/ directory offline, frame by frame, exactly as the player
would show it at each moment: frame k is drawn at FROM + k / FPS seconds of music.

  --png DIR             write numbered PNG files DIR/frame-000000.png, ... (DIR is
                        created when missing)
  --video FILE          write an H.264 MP4 with the music of the span (needs ffmpeg,
                        and an even width and height)
  --width N             frame width in pixels (default 1920)
  --height N            frame height in pixels (default 1080); the picture keeps 16:9
                        from the full width, as in the player
  --fps RATE            frames per second: 60 (default), 59.94, 60000/1001, ...
  --from SECONDS        start of the span (default 0)
  --to SECONDS          end of the span, not included (default 128)
  --multisampling on|off  4x multisampling as in the player (default on)
  --data DIR            run in DIR, the directory that holds Data/ (default: the
                        working directory)
  --quiet               no progress line and no summary
  --help                show this text

Options take their value as the next argument or after '=' (--fps=30).
Exit status: 0 success, 1 the demo could not be loaded or a frame not written, 2 bad
usage.
)";

bool parseCaptureOptions(const std::vector<std::string>& args, CaptureOptions& options, std::string& error) {
  bool sawPng = false;
  bool sawVideo = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool hasValue = false;
    if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
      hasValue = true;
    }

    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name == "--quiet") {
      options.quiet = true;
      continue;
    }

    const bool takesValue = name == "--width" || name == "--height" || name == "--fps" || name == "--from" ||
                            name == "--to" || name == "--multisampling" || name == "--png" ||
                            name == "--video" || name == "--data";
    if (!takesValue) {
      error = name.rfind("-", 0) == 0 ? "unknown option " + name : "unexpected argument " + name;
      return false;
    }
    if (!hasValue) {
      if (i + 1 >= args.size()) {
        error = name + " needs a value";
        return false;
      }
      value = args[++i];
    }

    if (name == "--width" || name == "--height") {
      std::int64_t size = 0;
      if (!parseWhole(value, size) || size < 1 || size > kMaxCaptureSize) {
        error = name + " must be a whole number of pixels from 1 to " + std::to_string(kMaxCaptureSize) +
                ", not '" + value + "'";
        return false;
      }
      (name == "--width" ? options.width : options.height) = static_cast<int>(size);
    } else if (name == "--fps") {
      if (!parseFrameRate(value, options.fps)) {
        error = "--fps must be a rate above 0 and up to 1000, such as 60, 59.94 or 60000/1001, not '" + value + "'";
        return false;
      }
    } else if (name == "--from" || name == "--to") {
      double seconds = 0.0;
      if (!parseSeconds(value, seconds) || seconds < 0.0) {
        error = name + " must be a number of seconds, 0 or more, not '" + value + "'";
        return false;
      }
      (name == "--from" ? options.from : options.to) = seconds;
    } else if (name == "--multisampling") {
      if (value != "on" && value != "off") {
        error = "--multisampling must be on or off, not '" + value + "'";
        return false;
      }
      options.multisampling = value == "on";
    } else if (name == "--data") {
      if (value.empty()) {
        error = "--data needs a directory";
        return false;
      }
      options.dataDir = value;
    } else {
      if (value.empty()) {
        error = name + " needs a " + (name == "--png" ? "directory" : "file name");
        return false;
      }
      (name == "--png" ? sawPng : sawVideo) = true;
      options.output = name == "--png" ? CaptureOutput::kPng : CaptureOutput::kVideo;
      options.outputPath = value;
    }
  }

  if (options.help) return true;
  if (sawPng && sawVideo) {
    error = "--png and --video cannot be used together";
    return false;
  }
  if (options.output == CaptureOutput::kNone) {
    error = "choose an output: --png DIR or --video FILE";
    return false;
  }
  if (!(options.to > options.from)) {
    error = "--to must come after --from";
    return false;
  }
  if (frameCount(options.from, options.to, options.fps) < 1) {
    error = "the span from --from to --to holds no frame at this rate";
    return false;
  }
  if (options.output == CaptureOutput::kVideo && (options.width % 2 != 0 || options.height % 2 != 0)) {
    error = "--video needs an even width and height (H.264 in 4:2:0)";
    return false;
  }
  return true;
}

}  // namespace quintaval
