#include "author/sync_panel.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>

#include "author/author_log.h"
#include "author/transport.h"
#include "core/error_report.h"
#include "sync/track_sheet.h"
#include "timeline/clock.h"

namespace quintaval {
namespace {

constexpr std::size_t kMostTyped = 24;
const int kLastRow = static_cast<int>(kDemoSeconds * kRowsPerSecond);

// The character a key types into a value, or 0.
char typedCharacter(int key) {
  if (key >= GLFW_KEY_0 && key <= GLFW_KEY_9) return static_cast<char>('0' + key - GLFW_KEY_0);
  if (key >= GLFW_KEY_KP_0 && key <= GLFW_KEY_KP_9) return static_cast<char>('0' + key - GLFW_KEY_KP_0);
  if (key == GLFW_KEY_PERIOD || key == GLFW_KEY_KP_DECIMAL) return '.';
  if (key == GLFW_KEY_MINUS || key == GLFW_KEY_KP_SUBTRACT) return '-';
  return 0;
}

int positiveModulo(int value, int divisor) { return (value % divisor + divisor) % divisor; }

}  // namespace

int rowAt(double seconds) { return static_cast<int>(std::floor(seconds * kRowsPerSecond + 1e-3)); }

SyncPanel::SyncPanel(TrackEditor& editor, Transport& transport, AuthorLog& log)
    : editor_(editor), transport_(transport), log_(log) {}

void SyncPanel::releaseKeys() {
  hasKeys_ = false;
  typing_.clear();
}

void SyncPanel::moveTo(int track, int row, bool select) {
  const int now = rowAt(transport_.seconds());
  if (select && !anchor_) anchor_ = std::make_pair(track_, now);
  if (!select) anchor_.reset();
  track_ = std::clamp(track, 0, std::max(editor_.trackCount() - 1, 0));
  row = std::clamp(row, 0, kLastRow);
  if (row != now) transport_.seekTo(row / kRowsPerSecond);
}

KeyBlock SyncPanel::block() const {
  const int row = rowAt(transport_.seconds());
  if (!anchor_) return {track_, track_, row, row};
  return {std::min(anchor_->first, track_), std::max(anchor_->first, track_), std::min(anchor_->second, row),
          std::max(anchor_->second, row)};
}

void SyncPanel::refuseIfLocked() {
  if (editor_.editable(track_)) return;
  reportError("Track " + editor_.track(track_).name +
              " has keys out of row order (a damaged file) and cannot be edited here; mend it in its sheet");
}

void SyncPanel::enterTyped() {
  const std::string typed = std::exchange(typing_, {});
  if (typed.empty()) return;
  float value = 0.0f;
  if (!parseSheetValue(typed, value)) {
    log_.addNote("\"" + typed + "\" is not a number");
    return;
  }
  const int row = rowAt(transport_.seconds());
  refuseIfLocked();
  if (editor_.setValue(track_, row, value)) {
    log_.addNote(editor_.track(track_).name + " at row " + std::to_string(row) + ": " + formatSheetValue(value));
  }
}

bool SyncPanel::handleKey(int key, int mods) {
  const bool shift = (mods & GLFW_MOD_SHIFT) != 0;
  const int row = rowAt(transport_.seconds());
  if (mods & GLFW_MOD_CONTROL) {
    switch (key) {
      case GLFW_KEY_C:
        editor_.copy(block());
        return true;
      case GLFW_KEY_X:
        editor_.cut(block());
        anchor_.reset();
        return true;
      case GLFW_KEY_V:
        editor_.paste(track_, row);
        anchor_.reset();
        return true;
      default:
        return false;
    }
  }
  switch (key) {
    case GLFW_KEY_UP: moveTo(track_, row - 1, shift); return true;
    case GLFW_KEY_DOWN: moveTo(track_, row + 1, shift); return true;
    case GLFW_KEY_PAGE_UP: moveTo(track_, row - kRowsPerBar, shift); return true;
    case GLFW_KEY_PAGE_DOWN: moveTo(track_, row + kRowsPerBar, shift); return true;
    case GLFW_KEY_LEFT: moveTo(track_ - 1, row, shift); return true;
    case GLFW_KEY_RIGHT: moveTo(track_ + 1, row, shift); return true;
    case GLFW_KEY_ESCAPE: releaseKeys(); return true;
    case GLFW_KEY_ENTER:
    case GLFW_KEY_KP_ENTER: enterTyped(); return true;
    case GLFW_KEY_BACKSPACE:
      if (typing_.empty()) return false;
      typing_.pop_back();
      return true;
    case GLFW_KEY_I:
      refuseIfLocked();
      editor_.cycleInterpolation(track_, row);
      return true;
    case GLFW_KEY_DELETE:
      refuseIfLocked();
      editor_.removeKey(track_, row);
      return true;
    default:
      break;
  }
  const char typed = shift ? 0 : typedCharacter(key);
  if (typed == 0) return false;
  if (typing_.size() < kMostTyped) typing_ += typed;
  return true;
}

void SyncPanel::setBeats(const std::vector<double>& beats) {
  std::vector<std::pair<int, bool>> rows;
  for (std::size_t i = 0; i < beats.size(); ++i) {
    const int row = static_cast<int>(std::lround(beats[i] * kRowsPerSecond));
    const bool bar = i % 4 == 0;
    // Two beats on one row (a tempo beyond 420 a minute): the bar wins.
    if (!rows.empty() && rows.back().first == row) {
      rows.back().second = rows.back().second || bar;
    } else {
      rows.emplace_back(row, bar);
    }
  }
  beatRows_ = std::move(rows);
}

RowMark SyncPanel::markOf(int row) const {
  if (!beatRows_) {
    return positiveModulo(row, kRowsPerBar) == 0    ? RowMark::kBar
           : positiveModulo(row, kRowsPerBeat) == 0 ? RowMark::kBeat
                                                    : RowMark::kNone;
  }
  const auto at = std::lower_bound(beatRows_->begin(), beatRows_->end(), std::make_pair(row, false));
  if (at == beatRows_->end() || at->first != row) return RowMark::kNone;
  return at->second ? RowMark::kBar : RowMark::kBeat;
}

void SyncPanel::fillGrid(double seconds, SyncGrid& grid) const {
  const int row = rowAt(seconds);
  const int rows = 2 * kRowsAround + 1;
  grid.firstRow = row - kRowsAround;
  grid.cursorRow = row;
  grid.cursorTrack = track_;
  grid.selection = anchor_ ? std::optional<KeyBlock>(block()) : std::nullopt;
  grid.hasKeys = hasKeys_;
  grid.unsaved = editor_.unsaved();
  grid.typing = typing_;
  grid.marks.resize(rows);
  for (int i = 0; i < rows; ++i) grid.marks[static_cast<std::size_t>(i)] = markOf(grid.firstRow + i);
  grid.columns.resize(static_cast<std::size_t>(editor_.trackCount()));
  for (int t = 0; t < editor_.trackCount(); ++t) {
    const SyncTrack& track = editor_.track(t);
    SyncColumn& column = grid.columns[static_cast<std::size_t>(t)];
    column.name = track.name;
    column.unsaved = editor_.unsaved(t);
    column.editable = editor_.editable(t);
    column.cells.resize(rows);
    for (int i = 0; i < rows; ++i) {
      const int at = grid.firstRow + i;
      const int k = findKey(track.keys, at);
      SyncCell& cell = column.cells[static_cast<std::size_t>(i)];
      cell.key = k >= 0 && track.keys[static_cast<std::size_t>(k)].row == at;
      cell.type = cell.key ? track.keys[static_cast<std::size_t>(k)].type : 0;
      cell.value = cell.key ? track.keys[static_cast<std::size_t>(k)].value : static_cast<float>(track.valueAt(at));
    }
  }
}

}  // namespace quintaval
