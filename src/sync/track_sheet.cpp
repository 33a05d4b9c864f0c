// Sheet parsing and formatting. Parsing collects every error with its line instead of
// stopping at the first, so an author sees all of them at once.
#include "sync/track_sheet.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <set>

#include "textio/line_scanner.h"
#include "textio/number_parser.h"

namespace quintaval {
namespace {

constexpr std::uint32_t kPlainNan = 0x7fc00000u;
constexpr std::uint32_t kNegativeNan = 0xffc00000u;

std::uint32_t floatBits(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float floatFromBits(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Only space, tab and carriage return separate words, so a track name may hold any other
// control character and still read back (isSheetTrackName).
constexpr BlankSet kSheetBlanks{" \t\r"};
// Numbers as std::from_chars reads them: no '+', the spellings of infinity and NaN
// allowed, and a value beyond the float range at either end fails.
constexpr NumberRules kSheetNumbers{false, true, false};

std::vector<std::string_view> splitTokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  LineScanner words(line, kSheetBlanks);
  for (std::string_view word = words.nextWord(); !word.empty(); word = words.nextWord()) {
    tokens.push_back(word);
  }
  return tokens;
}

bool parseInterpolation(std::string_view text, int& type) {
  static const char* const kNames[] = {"step", "linear", "smooth", "ramp"};
  for (int i = 0; i < 4; ++i) {
    if (text == kNames[i]) {
      type = i;
      return true;
    }
  }
  int raw = 0;
  if (!parseWholeInt(text, raw, kSheetNumbers) || raw < -128 || raw > 127) return false;
  type = raw;
  return true;
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::string interpolationName(int type) {
  switch (type) {
    case kSyncStep: return "step";
    case kSyncLinear: return "linear";
    case kSyncSmooth: return "smooth";
    case kSyncRamp: return "ramp";
    default: return std::to_string(type);
  }
}

std::string formatSheetValue(float value) {
  if (std::isnan(value)) {
    const std::uint32_t bits = floatBits(value);
    if (bits == kPlainNan) return "nan";
    if (bits == kNegativeNan) return "-nan";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "nan(0x%08x)", static_cast<unsigned>(bits));
    return buffer;
  }
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                              std::chars_format::general, 9);
  return std::string(buffer, result.ptr);
}

bool parseSheetValue(std::string_view text, float& value) {
  if (text == "nan") {
    value = floatFromBits(kPlainNan);
    return true;
  }
  if (text == "-nan") {
    value = floatFromBits(kNegativeNan);
    return true;
  }
  constexpr std::string_view kNanBits = "nan(0x";
  if (text.substr(0, kNanBits.size()) == kNanBits && text.size() > kNanBits.size() + 1 &&
      text.back() == ')') {
    std::uint32_t bits = 0;
    const std::string_view digits = text.substr(kNanBits.size(), text.size() - kNanBits.size() - 1);
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16);
    if (ec != std::errc() || ptr != digits.data() + digits.size()) return false;
    value = floatFromBits(bits);
    return std::isnan(value);
  }
  // The sheet's own NaN spellings are handled above so that their bits are fixed; other
  // words with "nan" in them are malformed.
  if (text.find("nan") != std::string_view::npos) return false;
  return parseWholeFloat(text, value, kSheetNumbers);
}

TrackSheet parseTrackSheet(std::string_view text) {
  TrackSheet sheet;
  std::set<std::string> names;
  int lineNumber = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t newline = text.find('\n', pos);
    if (newline == std::string_view::npos) newline = text.size();
    std::string_view line = text.substr(pos, newline - pos);
    pos = newline + 1;
    ++lineNumber;
    if (const size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    const std::vector<std::string_view> tokens = splitTokens(line);
    if (tokens.empty()) continue;
    auto error = [&](std::string message) { sheet.errors.push_back({lineNumber, std::move(message)}); };

    if (tokens[0] == "track") {
      if (tokens.size() != 2) {
        error("expected \"track NAME\"");
        continue;
      }
      const std::string name(tokens[1]);
      if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos) {
        error("track name " + quoted(name) + " cannot be part of a file name");
        continue;
      }
      if (!names.insert(name).second) {
        error("track " + quoted(name) + " appears twice");
        continue;
      }
      sheet.tracks.push_back({name, {}, lineNumber, {}});
      continue;
    }

    if (tokens.size() != 3) {
      error("expected \"ROW VALUE INTERPOLATION\" or \"track NAME\"");
      continue;
    }
    if (sheet.tracks.empty()) {
      error("key before the first \"track NAME\" line");
      continue;
    }
    SyncKey key;
    bool ok = true;
    if (!parseWholeInt(tokens[0], key.row, kSheetNumbers)) {
      error("row " + quoted(tokens[0]) + " is not a whole number in -2147483648..2147483647");
      ok = false;
    }
    if (!parseSheetValue(tokens[1], key.value)) {
      error("value " + quoted(tokens[1]) + " is not a number in float range");
      ok = false;
    }
    if (!parseInterpolation(tokens[2], key.type)) {
      error("interpolation " + quoted(tokens[2]) +
            " is not step, linear, smooth, ramp or a type number in -128..127");
      ok = false;
    }
    if (!ok) continue;

    SheetTrack& track = sheet.tracks.back();
    if (!track.keys.empty() && key.row <= track.keys.back().row) {
      sheet.warnings.push_back({lineNumber, "row " + std::to_string(key.row) +
                                                " does not follow row " +
                                                std::to_string(track.keys.back().row) +
                                                "; the player expects ascending rows"});
    }
    if (key.type < 0 || key.type > 3) {
      sheet.warnings.push_back({lineNumber, "type " + std::to_string(key.type) +
                                                " evaluates to 0 up to the next key"});
    }
    track.keys.push_back(key);
    track.keyLines.push_back(lineNumber);
  }
  return sheet;
}

bool isSheetTrackName(std::string_view name) {
  return !name.empty() && name.find_first_of(" \t\r\n#") == std::string_view::npos;
}

std::string formatSheetKey(const SyncKey& key) {
  char line[128];
  std::snprintf(line, sizeof line, "%-11d %-16s %s", key.row, formatSheetValue(key.value).c_str(),
                interpolationName(key.type).c_str());
  return line;
}

std::string formatSheetTrack(const std::string& name, const std::vector<SyncKey>& keys) {
  std::string out = "track " + name + "\n";
  for (const SyncKey& key : keys) out += formatSheetKey(key) + "\n";
  return out;
}

}  // namespace quintaval
