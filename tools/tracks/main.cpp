// quintaval-tracks: the authoring side of sync tracks. Authors write a text sheet; the
// player reads one binary file per track. compile turns a sheet into track files, dump
// turns track files back into a sheet (compiling a dump reproduces the files byte for
// byte), eval prints a track's value at given rows as the player computes it.
//
// Exit status: 0 success, 1 a file could not be read, parsed or written, 2 bad usage.
// Nothing is written unless the whole sheet is correct and every file was written.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sync/sync_device.h"
#include "sync/track_file.h"
#include "sync/track_sheet.h"

namespace {

using namespace quintaval;
namespace fs = std::filesystem;

constexpr const char* kHelp = R"(usage:
  quintaval-tracks compile SHEET OUTDIR [--base NAME]
      Writes OUTDIR/NAME_<track>.track for every track of SHEET (NAME defaults to
      "sync", the player's Data/Rocket/sync). OUTDIR is created when missing.
  quintaval-tracks dump [--base NAME] FILE...
      Prints the track files as one sheet. Compiling it gives the same bytes back.
      Track names are the file names without "NAME_" and ".track"; a file whose
      track name holds white space or '#' is refused, as the sheet cannot hold it.
  quintaval-tracks eval FILE ROW...
      Prints the value of the track at each (fractional) row, one per line (%.9g).

Track sheet format:
  # a comment runs to the end of the line; blank lines are ignored
  track scene.num        # starts the block of a track; the name is one word (no white
                         # space, '#' or '/') used unchanged, dots included, in the
                         # file name sync_scene.num.track
  0      1      step     # one key per line: ROW VALUE INTERPOLATION
  112    2      linear
  224    2.5    smooth

  ROW            whole number (32-bit), ascending within a track
  VALUE          decimal number in float range, '.' as the decimal point (1, -0.25,
                 1e-3, inf, nan)
  INTERPOLATION  how the value moves from this key to the next:
                   step    holds this key's value until the next key
                   linear  straight line
                   smooth  smoothstep: eases in and out
                   ramp    t squared: starts slowly, ends fast
                 or a raw type number -128..127 (anything but 0-3 evaluates to 0)
  Before the first key a track has its first key's value, from the last key on the
  last key's value; a track without keys is 0 everywhere. 14 rows are one second.

Errors name the file and line; the exit status is 1 (2 for bad usage).
)";

int usageError(const std::string& message) {
  std::fprintf(stderr, "quintaval-tracks: %s\n(quintaval-tracks --help shows the usage)\n",
               message.c_str());
  return 2;
}

bool readText(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream contents;
  contents << in.rdbuf();
  text = contents.str();
  return !in.bad();
}

// Splits "--base NAME" off the arguments.
bool takeBase(std::vector<std::string>& args, std::string& base) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--base") {
      if (i + 1 >= args.size() || args[i + 1].empty()) return false;
      base = args[i + 1];
      args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
      --i;
    }
  }
  return true;
}

int compile(std::vector<std::string> args) {
  std::string base = "sync";
  if (!takeBase(args, base)) return usageError("--base needs a name");
  if (args.size() != 2) return usageError("compile takes SHEET OUTDIR [--base NAME]");
  const std::string& sheetPath = args[0];
  const fs::path outDir = args[1];

  std::string text;
  if (!readText(sheetPath, text)) {
    std::fprintf(stderr, "%s: cannot read: %s\n", sheetPath.c_str(), std::strerror(errno));
    return 1;
  }
  const TrackSheet sheet = parseTrackSheet(text);
  for (const SheetMessage& warning : sheet.warnings) {
    std::fprintf(stderr, "%s:%d: warning: %s\n", sheetPath.c_str(), warning.line,
                 warning.text.c_str());
  }
  for (const SheetMessage& error : sheet.errors) {
    std::fprintf(stderr, "%s:%d: error: %s\n", sheetPath.c_str(), error.line, error.text.c_str());
  }
  if (sheet.failed()) return 1;

  std::error_code ec;
  fs::create_directories(outDir, ec);
  if (ec) {
    std::fprintf(stderr, "%s: cannot create directory: %s\n", outDir.c_str(), ec.message().c_str());
    return 1;
  }
  // Every file is written to a temporary name first; the renames happen only when all
  // of them are complete.
  std::vector<std::pair<std::string, std::string>> staged;  // temporary, final
  bool ok = true;
  for (const SheetTrack& track : sheet.tracks) {
    const std::string path = (outDir / (base + "_" + track.name + ".track")).string();
    std::string temp;
    if (!stageTrackFile(path, track.keys, temp)) {
      std::fprintf(stderr, "%s:%d: error: cannot write %s: %s\n", sheetPath.c_str(), track.line,
                   path.c_str(), std::strerror(errno));
      ok = false;
      break;
    }
    staged.emplace_back(temp, path);
  }
  for (const auto& [temp, path] : staged) {
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
      std::fprintf(stderr, "%s: error: cannot write %s: %s\n", sheetPath.c_str(), path.c_str(),
                   std::strerror(errno));
      ok = false;
    }
    if (!ok) std::remove(temp.c_str());
  }
  return ok ? 0 : 1;
}

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

int dump(std::vector<std::string> args) {
  std::string base = "sync";
  if (!takeBase(args, base)) return usageError("--base needs a name");
  if (args.empty()) return usageError("dump takes one or more track files");
  std::string out;
  for (const std::string& path : args) {
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

int eval(const std::vector<std::string>& args) {
  if (args.size() < 2) return usageError("eval takes FILE ROW...");
  SyncTrack track;
  if (!readTrackFile(args[0], track.keys)) {
    std::fprintf(stderr, "%s: cannot open: %s\n", args[0].c_str(), std::strerror(errno));
    return 1;
  }
  std::string out;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& text = args[i];
    double row = 0.0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), row);
    if (ec != std::errc() || ptr != text.data() + text.size()) {
      return usageError("row \"" + text + "\" is not a number");
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
  if (argc < 2) {
    std::fputs(kHelp, stderr);
    return 2;
  }
  const std::string command = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (command == "compile") return compile(args);
  if (command == "dump") return dump(args);
  if (command == "eval") return eval(args);
  return usageError("unknown command \"" + command + "\"");
}
