#include "player/player_options.h"

#include <filesystem>

#include "core/command_line.h"
#include "textio/text_file.h"

namespace quintaval {
namespace {

constexpr const char* kFooter =
    "Exit status: 0 the demo ended (the music reached its end, Escape, or the window\n"
    "was closed), or --help or --version printed; 2 bad command line; 255 Quit in the\n"
    "setup dialog, or the demo could not start (the reason was shown first).";

}  // namespace

std::optional<int> parsePlayerOptions(int argc, char** argv, PlayerOptions& options) {
  CLI::App app("Plays a Quintaval demo: the setup dialog first, unless a size or --author is given.",
               "quintaval");
  app.set_version_flag("--version", "quintaval " QV_VERSION);
  app.footer(kFooter);
  std::string window, fullscreen, vsync, multisampling, start, bpm, beatOffset;
  app.add_option("--data", options.dataDir, "The folder holding the demo's Data/ (default: the working directory if it holds Data/, else the installed sample demo)")
      ->type_name("DIR")
      ->check(CLI::ExistingDirectory);
  auto* windowOption =
      app.add_option("--window", window,
                     "Play in a window of W by H pixels (1 to " + std::to_string(kMaxSizePixels) +
                         " each, such as 1280x720), without the dialog")
          ->type_name("WxH");
  app.add_option("--fullscreen", fullscreen, "Play full screen at this size, without the dialog; not with --window")
      ->type_name("WxH")
      ->excludes(windowOption);
  app.add_option("--vsync", vsync, "Vertical sync (default on)")->type_name("on|off")->check(onOffCheck());
  app.add_option("--multisampling", multisampling, "4x multisampling (default on)")
      ->type_name("on|off")
      ->check(onOffCheck());
  app.add_flag("--loop", options.loop, "Start over at the end instead of ending");
  app.add_option("--start", start, "Start playing at this many seconds of music (0 or more, such as 40 or 38.5)")
      ->type_name("SECONDS");
  app.add_flag("--author", options.author,
               "Author mode: live reload of Data/, transport keys, the author overlay (Tab) and sync editing (F2)");
  app.add_option("--sheet", options.sheetPath,
                 "Author mode: the track sheet that each save (Ctrl+S) keeps current with the tracks saved")
      ->type_name("FILE");
  app.add_option("--bpm", bpm, "Author mode: the music's tempo in beats a minute, instead of the one found")
      ->type_name("N");
  app.add_option("--beat-offset", beatOffset, "Author mode, with --bpm: the time of a beat, such as 0.25 (default 0)")
      ->type_name("SECONDS");
  if (std::optional<int> status = parseCommandLine(app, argc, argv)) return status;
  if (!bpm.empty()) {
    if (!options.author) return commandLineError(app, "--bpm is for author mode: give --author too");
    double tempo = 0.0;
    if (!parseSeconds(bpm, tempo) || !(tempo >= 1.0 && tempo <= 1000.0)) {
      return commandLineError(app, "--bpm must be a number of beats a minute from 1 to 1000, not '" + bpm + "'");
    }
    options.bpm = tempo;
  }
  if (!beatOffset.empty()) {
    if (!options.bpm) return commandLineError(app, "--beat-offset goes with --bpm");
    if (!parseSeconds(beatOffset, options.beatOffset)) {
      return commandLineError(app, "--beat-offset must be a number of seconds, not '" + beatOffset + "'");
    }
  }
  if (!options.sheetPath.empty()) {
    if (!options.author) return commandLineError(app, "--sheet is for author mode: give --author too");
    const std::string why = whyNotReadable(options.sheetPath);
    if (!why.empty()) return commandLineError(app, "--sheet " + options.sheetPath + ": " + why);
    // The player works in the demo's folder; the sheet is named where the author is.
    options.sheetPath = std::filesystem::absolute(std::filesystem::u8path(options.sheetPath)).u8string();
  }

  const std::string& size = window.empty() ? fullscreen : window;
  if (!size.empty()) {
    if (!parseSize(size, options.width, options.height)) {
      return commandLineError(app, std::string(window.empty() ? "--fullscreen" : "--window") +
                                       " must be WIDTHxHEIGHT, each from 1 to " + std::to_string(kMaxSizePixels) +
                                       ", such as 1280x720, not '" + size + "'");
    }
    options.sizeGiven = true;
    options.fullscreen = window.empty();
  } else if (options.author) {
    options.width = kAuthorWidth;
    options.height = kAuthorHeight;
  }
  if (!vsync.empty()) options.vsync = onOff(vsync);
  if (!multisampling.empty()) options.multisampling = onOff(multisampling);
  if (!start.empty() && (!parseSeconds(start, options.startSeconds) || options.startSeconds < 0.0)) {
    return commandLineError(app, "--start must be a number of seconds from 0 on, not '" + start + "'");
  }
  return std::nullopt;
}

void applyPlayerOptions(const PlayerOptions& options, DemoSettings& settings) {
  if (options.sizeGiven || options.author) {
    settings.width = options.width;
    settings.height = options.height;
    settings.fullscreen = options.fullscreen;
  }
  if (options.vsync) settings.vsync = *options.vsync;
  if (options.multisampling) settings.multisampling = *options.multisampling;
  if (options.loop) settings.loopDemo = true;
}

}  // namespace quintaval
