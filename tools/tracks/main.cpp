// quintaval-tracks: the authoring side of sync tracks. Authors write a text sheet; the
// player reads one binary file per track. compile turns a sheet into track files, watch
// compiles it again on every save, dump turns track files back into a sheet (compiling a
// dump reproduces the files byte for byte), eval prints a track's value at given rows as
// the player computes it.
//
// Exit status: 0 success, 1 a file could not be read, parsed or written, 2 bad usage.
// Nothing is written unless the whole sheet is correct and every file was written.
// watch runs until SIGINT or SIGTERM and then exits with 0 (1 when it cannot watch).
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/command_line.h"
#include "sheet_compiler.h"
#include "sheet_watch.h"
#include "sync/sync_device.h"
#include "sync/track_file.h"
#include "sync/track_sheet.h"

namespace {

using namespace quintaval;
namespace fs = std::filesystem;

constexpr const char* kDetails = R"(Command lines:
  quintaval-tracks compile SHEET OUTDIR [--base NAME]
    Writes OUTDIR/NAME_<track>.track for every track of SHEET (NAME defaults to
    "sync", the player's Data/Rocket/sync). OUTDIR is created when missing.
  quintaval-tracks watch SHEET OUTDIR [--base NAME]
    Compiles as compile does, then again on every save of SHEET, until
    interrupted (Ctrl+C). A sheet with errors leaves the previous tracks in
    place; a sheet that cannot be read is waited for.
  quintaval-tracks dump [--base NAME] FILE...
    Prints the track files as one sheet. Compiling it gives the same bytes back.
    Track names are the file names without "NAME_" and ".track"; a file whose
    track name holds white space or '#' is refused, as the sheet cannot hold it.
  quintaval-tracks eval FILE ROW...
    Prints the value of the track at each (fractional) row, one per line (%.9g).

Track sheet format:
  # a comment runs to the end of the line; blank lines are ignored
  track scene.num      # starts the block of a track; the name is one word (no
                       # white space, '#' or '/') used unchanged, dots included,
                       # in the file name sync_scene.num.track
  0      1      step   # one key per line: ROW VALUE INTERPOLATION
  112    2      linear
  224    2.5    smooth

  ROW            whole number (32-bit), ascending within a track
  VALUE          decimal number in float range, '.' as the decimal point
                 (1, -0.25, 1e-3, inf, nan)
  INTERPOLATION  how the value moves from this key to the next:
                   step    holds this key's value until the next key
                   linear  straight line
                   smooth  smoothstep: eases in and out
                   ramp    t squared: starts slowly, ends fast
                 or a raw type number -128..127 (anything but 0-3 gives 0)
  Before the first key a track has its first key's value, from the last key on
  the last key's value; a track without keys is 0 everywhere. 14 rows are one
  second.

Errors name the file and line.
Exit status: 0 done (also after watch was interrupted), 1 a file could not be
read, parsed or written, or watch could not watch the sheet's folder, 2 bad
command line.)";

// The track name a file stands for: its name without "BASE_" and ".track".
std::string trackNameOf(const std::string& path, const std::string& base, bool& matched) {
  std::string name = fs::path(path).filename().string();
  const std::string prefix = fs::path(base).filename().string() + "_";
  const std::string suffix = ".track";
  matched = true;
  if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
    name.erase(name.size() - suffix.size());
  } else {
    matched = false;
  }
  if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) {
    name.erase(0, prefix.size());
  } else {
    matched = false;
  }
  return name;
}

int dump(const std::vector<std::string>& files, const std::string& base) {
  std::string out;
  for (const std::string& path : files) {
    std::vector<SyncKey> keys;
    TrackFileReport report;
    if (!readTrackFile(path, keys, &report)) {
      std::fprintf(stderr, "%s: cannot open: %s\n", path.c_str(), std::strerror(errno));
      return 1;
    }
    bool matched = false;
    const std::string name = trackNameOf(path, base, matched);
    if (!isSheetTrackName(name)) {
      std::fprintf(stderr,
                   "%s: error: the track name \"%s\" cannot be written in a sheet: a name is "
                   "one word without white space or '#'\n",
                   path.c_str(), name.c_str());
      return 1;
    }
    if (!out.empty()) out += "\n";
    out += "# " + path + "\n";
    if (!matched) {
      out += "# the file name is not " + fs::path(base).filename().string() + "_<track>.track\n";
    }
    // Damage is described in comments, which the sheet reader skips: compiling the
    // dump gives the file the player actually sees.
    const std::int64_t expected = 4 + static_cast<std::int64_t>(keys.size()) * kTrackKeyBytes;
    if (!report.countFieldComplete) {
      out += "# damaged: the file is shorter than its 4-byte key count\n";
    } else if (report.announcedCount != static_cast<std::int32_t>(keys.size())) {
      out += "# damaged: the file announces " + std::to_string(report.announcedCount) +
             " keys and holds " + std::to_string(keys.size()) + " whole keys\n";
    } else if (report.fileBytes != expected) {
      out += "# damaged: " + std::to_string(report.fileBytes - expected) +
             " bytes follow the last key\n";
    }
    out += formatSheetTrack(name, keys);
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int eval(const CLI::App& app, const std::string& file, const std::vector<std::string>& rows) {
  SyncTrack track;
  if (!readTrackFile(file, track.keys)) {
    std::fprintf(stderr, "%s: cannot open: %s\n", file.c_str(), std::strerror(errno));
    return 1;
  }
  std::string out;
  for (const std::string& text : rows) {
    double row = 0.0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), row);
    if (ec != std::errc() || ptr != text.data() + text.size()) {
      return commandLineError(app, "row \"" + text + "\" is not a number");
    }
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, track.valueAt(row),
                                std::chars_format::general, 9);
    out.append(buffer, result.ptr);
    out += "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("Compiles track sheets into the player's sync track files and reads them back.",
               "quintaval-tracks");
  app.set_version_flag("--version", "quintaval-tracks " QV_VERSION);

  std::string sheet, outDir, base = "sync", trackFile;
  std::vector<std::string> files, rows;
  const CLI::Validator aName(
      [](const std::string& name) { return name.empty() ? "needs a name" : ""; }, "");
  auto addBase = [&](CLI::App* command) {
    command->add_option("--base", base, "File names are NAME_<track>.track (default: sync)")
        ->type_name("NAME")
        ->check(aName)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  };
  auto addSheetAndFolder = [&](CLI::App* command) {
    command->add_option("SHEET", sheet, "The track sheet")->required();
    command->add_option("OUTDIR", outDir, "The folder of the track files (created when missing)")
        ->required();
    addBase(command);
  };
  CLI::App* compile =
      app.add_subcommand("compile", "Write a track file for every track of a sheet");
  addSheetAndFolder(compile);
  CLI::App* watch =
      app.add_subcommand("watch", "Compile a sheet, then again on every save, until interrupted");
  addSheetAndFolder(watch);
  CLI::App* dumpCommand = app.add_subcommand("dump", "Print track files as one sheet");
  dumpCommand->add_option("FILE", files, "Track files")->required();
  addBase(dumpCommand);
  CLI::App* evalCommand = app.add_subcommand("eval", "Print a track's value at given rows");
  evalCommand->add_option("FILE", trackFile, "A track file")->required();
  evalCommand->add_option("ROW", rows, "Rows, fractional or negative")->required();
  app.footer(kDetails);
  if (std::optional<int> status = parseCommandLine(app, argc, argv)) return *status;

  if (*compile) {
    std::size_t count = 0;
    return compileSheet(sheet, outDir, base, count) == SheetCompile::kWritten ? 0 : 1;
  }
  if (*watch) return watchSheet(sheet, outDir, base);
  if (*dumpCommand) return dump(files, base);
  if (*evalCommand) return eval(app, trackFile, rows);
  return commandLineError(app, "a command is needed: compile, watch, dump or eval");
}
