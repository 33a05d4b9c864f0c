#include "capture/progress_meter.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

namespace quintaval {
namespace {

constexpr double kTerminalInterval = 0.25;  // seconds between rewrites on a terminal
constexpr double kLogInterval = 5.0;        // seconds between lines in a log
constexpr double kRateWindow = 2.0;         // seconds the rate is measured over

double secondsBetween(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// "2:46", or "1:02:03" from an hour on.
std::string clockText(double seconds) {
  const long total = std::lround(std::max(0.0, seconds));
  char text[32];
  if (total >= 3600) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
  }
  return text;
}

// One decimal with a '.' whatever the locale.
std::string rateText(double rate) {
  const long tenths = std::lround(rate * 10.0);
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace

ProgressMeter::ProgressMeter(std::int64_t total, bool enabled, std::FILE* out)
    : total_(total), enabled_(enabled), out_(out), terminal_(isatty(fileno(out)) != 0) {
  start();
}

void ProgressMeter::start() {
  started_ = lastPrint_ = windowStart_ = Clock::now();
  done_ = 0;
  windowFrames_ = 0;
  rate_ = 0.0;
}

std::string ProgressMeter::formatLine(std::int64_t done, std::int64_t total, double framesPerSecond) {
  std::string line = "frame " + std::to_string(done) + "/" + std::to_string(total) + ", ";
  if (framesPerSecond > 0.0) {
    line += rateText(framesPerSecond) + " fps, " +
            clockText(static_cast<double>(total - done) / framesPerSecond) + " left";
  } else {
    line += "-- fps, -- left";
  }
  return line;
}

std::string ProgressMeter::formatSummary(std::int64_t frames, double seconds) {
  std::string line = std::to_string(frames) + (frames == 1 ? " frame in " : " frames in ") + clockText(seconds);
  if (seconds > 0.0) line += " (" + rateText(static_cast<double>(frames) / seconds) + " fps)";
  return line;
}

void ProgressMeter::frameDone() {
  ++done_;
  ++windowFrames_;
  const Clock::time_point now = Clock::now();
  const double window = secondsBetween(windowStart_, now);
  if (window >= kRateWindow) {
    rate_ = static_cast<double>(windowFrames_) / window;
    windowStart_ = now;
    windowFrames_ = 0;
  } else if (rate_ <= 0.0 && window >= kTerminalInterval) {
    rate_ = static_cast<double>(windowFrames_) / window;
  }
  if (!enabled_) return;
  if (secondsBetween(lastPrint_, now) >= (terminal_ ? kTerminalInterval : kLogInterval)) {
    lastPrint_ = now;
    print(false);
  }
}

void ProgressMeter::print(bool final) {
  std::string line = final ? formatSummary(done_, secondsBetween(started_, Clock::now()))
                           : formatLine(done_, total_, rate_);
  if (terminal_) {
    // Blank out what is left of a longer previous line.
    const std::size_t length = line.size();
    if (length < lastLength_) line.append(lastLength_ - length, ' ');
    lastLength_ = length;
    std::fprintf(out_, "\r%s%s", line.c_str(), final ? "\n" : "");
  } else {
    std::fprintf(out_, "%s\n", line.c_str());
  }
  std::fflush(out_);
}

void ProgressMeter::finish() {
  if (enabled_) print(true);
}

}  // namespace quintaval
