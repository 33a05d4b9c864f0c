// The rewrite works on the sheet's lines: each line keeps its own text and line break
// unless it is a key line of a saved track; new key lines go where their rows fall among
// the lines they replace.
#include "sync/sheet_rewrite.h"

#include <cstdint>
#include <cstring>

namespace quintaval {
namespace {

struct SheetLine {
  std::string_view text;    // without the line break
  std::string_view ending;  // "\n", "\r\n" or, on the last line, nothing
};

std::vector<SheetLine> splitLines(std::string_view text) {
  std::vector<SheetLine> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t newline = text.find('\n', pos);
    if (newline == std::string_view::npos) {
      lines.push_back({text.substr(pos), {}});
      break;
    }
    size_t end = newline;
    if (end > pos && text[end - 1] == '\r') --end;
    lines.push_back({text.substr(pos, end - pos), text.substr(end, newline + 1 - end)});
    pos = newline + 1;
  }
  return lines;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Where a key line's value, interpolation and comment start. Lines laid out with tabs
// have no columns to keep, so they get the default layout.
struct KeyColumns {
  size_t value = 12;
  size_t type = 29;
};

KeyColumns columnsOf(std::string_view line) {
  const size_t hash = line.find('#');
  const std::string_view keyPart = line.substr(0, hash);
  if (keyPart.find('\t') != std::string_view::npos) return {};
  size_t starts[3] = {0, 0, 0};
  int word = 0;
  for (size_t i = 0; i < keyPart.size() && word < 3; ++i) {
    if (!isBlank(keyPart[i]) && (i == 0 || isBlank(keyPart[i - 1]))) starts[word++] = i;
  }
  if (word < 3) return {};
  return {starts[1], starts[2]};
}

void padTo(std::string& line, size_t column) {
  line.append(line.size() < column ? column - line.size() : 1, ' ');
}

// A key line in `columns`; a kept comment goes back to the column it stood in.
std::string formatKeyLine(const SyncKey& key, const KeyColumns& columns, std::string_view comment,
                          size_t commentColumn) {
  std::string line = std::to_string(key.row);
  padTo(line, columns.value);
  line += formatSheetValue(key.value);
  padTo(line, columns.type);
  line += interpolationName(key.type);
  if (!comment.empty()) {
    padTo(line, commentColumn);
    line += comment;
  }
  return line;
}

const SheetTrack* findTrack(const TrackSheet& sheet, const std::string& name) {
  for (const SheetTrack& track : sheet.tracks) {
    if (track.name == name) return &track;
  }
  return nullptr;
}

// Replaces the key lines of `old` (a block of the sheet) in `plan`, which holds what is
// written for each line, by lines for `keys`.
void rewriteBlock(const std::vector<SheetLine>& lines, const SheetTrack& old, const std::vector<SyncKey>& keys,
                  std::vector<std::string>& plan) {
  const size_t trackLine = static_cast<size_t>(old.line - 1);
  std::string eol(lines[trackLine].ending.empty() ? "\n" : lines[trackLine].ending);
  const KeyColumns columns =
      old.keyLines.empty() ? KeyColumns{} : columnsOf(lines[static_cast<size_t>(old.keyLines[0] - 1)].text);
  auto fresh = [&](const SyncKey& key) { return formatKeyLine(key, columns, {}, 0) + eol; };

  // New keys follow the key line before them, so that a comment line above a key stays
  // with that key.
  size_t next = 0;             // the first of `keys` not yet written
  size_t anchor = trackLine;   // the line new keys are written after
  auto writeUpTo = [&](std::int64_t row) {
    std::string& after = plan[anchor];
    if (next < keys.size() && keys[next].row < row && !after.empty() && after.back() != '\n') after += eol;
    while (next < keys.size() && keys[next].row < row) after += fresh(keys[next++]);
  };
  for (size_t i = 0; i < old.keys.size(); ++i) {
    const size_t at = static_cast<size_t>(old.keyLines[i] - 1);
    const SyncKey& was = old.keys[i];
    writeUpTo(was.row);
    std::string text;
    if (next < keys.size() && keys[next].row == was.row) {
      const SyncKey& key = keys[next++];
      if (sameKey(key, was)) {
        text = std::string(lines[at].text) + std::string(lines[at].ending);
      } else {
        const size_t hash = lines[at].text.find('#');
        const bool keepComment =
            hash != std::string_view::npos && std::memcmp(&key.value, &was.value, sizeof key.value) == 0;
        text = keepComment ? formatKeyLine(key, columns, lines[at].text.substr(hash), hash) + eol : fresh(key);
      }
    }
    plan[at] = std::move(text);
    anchor = at;
  }
  writeUpTo(INT64_MAX);
}

}  // namespace

bool rewriteSheet(std::string_view text, const std::vector<SheetTrack>& tracks, std::string& out,
                  std::string& error) {
  const TrackSheet sheet = parseTrackSheet(text);
  if (sheet.failed()) {
    error = "line " + std::to_string(sheet.errors[0].line) + ": " + sheet.errors[0].text;
    return false;
  }
  for (const SheetTrack& track : tracks) {
    if (!isSheetTrackName(track.name) || track.name.find('/') != std::string::npos) {
      error = "the track name \"" + track.name + "\" cannot be written in a sheet";
      return false;
    }
  }

  const std::vector<SheetLine> lines = splitLines(text);
  std::vector<std::string> plan;
  plan.reserve(lines.size());
  for (const SheetLine& line : lines) plan.push_back(std::string(line.text) + std::string(line.ending));
  std::string appended;
  for (const SheetTrack& track : tracks) {
    if (const SheetTrack* old = findTrack(sheet, track.name)) {
      rewriteBlock(lines, *old, track.keys, plan);
    } else {
      appended += "\n" + formatSheetTrack(track.name, track.keys);
    }
  }

  std::string result;
  result.reserve(text.size() + appended.size());
  for (const std::string& part : plan) result += part;
  if (!appended.empty()) {
    if (!result.empty() && result.back() != '\n') result += '\n';
    result += result.empty() ? appended.substr(1) : appended;
  }

  // The compiler's parser must read the saved keys back from the result.
  const TrackSheet check = parseTrackSheet(result);
  for (const SheetTrack& track : tracks) {
    const SheetTrack* read = check.failed() ? nullptr : findTrack(check, track.name);
    if (!read || !sameKeys(read->keys, track.keys)) {
      error = "the rewritten sheet does not read back as the saved track \"" + track.name + "\"";
      return false;
    }
  }
  out = std::move(result);
  return true;
}

}  // namespace quintaval
