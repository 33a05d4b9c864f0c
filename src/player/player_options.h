// The player's command line. Without options the program is the viewer's demo player:
// the setup dialog comes first. A window or full-screen size skips the dialog with the
// settings given; --author starts author mode (a 1280x720 window unless a size is
// given). Options that the dialog also offers (--vsync, --multisampling, --loop) preset
// its check boxes when it is shown.
#pragma once

#include <optional>
#include <string>

#include "core/demo_settings.h"

namespace quintaval {

struct PlayerOptions {
  std::string dataDir;       // --data: the folder holding Data/; empty: the working directory
  bool sizeGiven = false;    // --window or --fullscreen
  bool fullscreen = false;
  int width = 0;
  int height = 0;
  std::optional<bool> vsync;
  std::optional<bool> multisampling;
  bool loop = false;
  double startSeconds = 0.0;  // --start
  bool author = false;
  std::string sheetPath;  // --sheet, made absolute: the sheet author mode keeps current
  std::optional<double> bpm;  // --bpm: the music's tempo, instead of the one author mode finds
  double beatOffset = 0.0;    // --beat-offset: the time of a beat, in seconds

  bool showsSetupDialog() const { return !sizeGiven && !author; }
};

constexpr int kAuthorWidth = 1280;
constexpr int kAuthorHeight = 720;

// Reads argv. std::nullopt when the program goes on; otherwise the status to end with
// (0 after --help or --version, 2 after a usage message on standard error).
std::optional<int> parsePlayerOptions(int argc, char** argv, PlayerOptions& options);

// Writes what the options choose into the settings.
void applyPlayerOptions(const PlayerOptions& options, DemoSettings& settings);

}  // namespace quintaval
