// The sync panel's keyboard: a tracker grid with one column per track and one line per
// sync row, whose cursor row is the play position. When the panel has the keys, Up/Down
// move one row and PageUp/PageDown one bar (the play position, and so the picture and
// the sound, follow), Left/Right move between tracks, Shift with them selects a block,
// digits typed then Enter set a key, `i` cycles its interpolation, Delete removes it,
// Ctrl+C/X/V copy, cut and paste. Keys it does not use are left to the transport.
//
// The panel turns keys into edits of the TrackEditor and fills the grid the overlay
// draws; it draws nothing itself, so it is tested without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sync/track_editor.h"

namespace quintaval {

class AuthorLog;
class Transport;

// The sync row a play position is in. A seek to a row's start may land a sample short of
// it, which still counts as that row.
int rowAt(double seconds);

struct SyncCell {
  float value = 0.0f;  // the key's, or the curve's between keys
  int type = 0;        // the key's interpolation
  bool key = false;
};

struct SyncColumn {
  std::string name;
  bool unsaved = false;
  bool editable = true;
  std::vector<SyncCell> cells;  // one per row of the grid
};

// Beat and bar lines of the grid's rows.
enum class RowMark : std::uint8_t { kNone, kBeat, kBar };

struct SyncGrid {
  int firstRow = 0;
  int cursorRow = 0;
  int cursorTrack = 0;
  std::optional<KeyBlock> selection;
  bool hasKeys = false;
  bool unsaved = false;
  std::string typing;  // digits typed at the cursor, not yet entered
  std::vector<RowMark> marks;  // one per row
  std::vector<SyncColumn> columns;
};

class SyncPanel {
 public:
  static constexpr int kRowsPerBeat = 7;  // 120 beats a minute at 14 rows a second
  static constexpr int kRowsPerBar = 28;
  static constexpr int kRowsAround = 16;  // the grid shows this many rows each side of the cursor

  SyncPanel(TrackEditor& editor, Transport& transport, AuthorLog& log);

  bool hasKeys() const { return hasKeys_; }
  void takeKeys() { hasKeys_ = true; }
  // Back to the transport; digits typed but not entered are dropped.
  void releaseKeys();

  // A key press (GLFW key code and modifier bits) while the panel has the keys. False
  // when the panel does not use that key.
  bool handleKey(int key, int mods);

  // The beats of the music (seconds, in order; every fourth from the first starts a bar):
  // the grid's beat and bar lines go on the rows nearest them. Until the first call the
  // lines are every 7 and 28 rows, the sample demo's 120 beats a minute.
  void setBeats(const std::vector<double>& beats);

  // The grid around the play position `seconds`.
  void fillGrid(double seconds, SyncGrid& grid) const;

  TrackEditor& editor() { return editor_; }

 private:
  void moveTo(int track, int row, bool select);
  void enterTyped();
  KeyBlock block() const;  // the selection, or the cursor's cell
  void refuseIfLocked();
  RowMark markOf(int row) const;

  TrackEditor& editor_;
  Transport& transport_;
  AuthorLog& log_;
  bool hasKeys_ = false;
  int track_ = 0;
  std::optional<std::pair<int, int>> anchor_;  // track and row where the selection started
  std::string typing_;
  std::optional<std::vector<std::pair<int, bool>>> beatRows_;  // row, starts a bar; ascending
};

}  // namespace quintaval
