// The track sheet: the text form of sync tracks that demo authors write and that
// quintaval-tracks compiles into track files (docs/track-sheet.md).
//
//   # a comment runs to the end of the line; blank lines are ignored
//   track scene.num        # starts a block; the name becomes the file name unchanged
//   0     1      step      # ROW VALUE INTERPOLATION
//   112   2      linear    # INTERPOLATION: step, linear, smooth, ramp, or a raw type
//                          # byte -128..127 (kept so damaged files survive a round trip)
//
// Numbers are read and written independently of the process locale. Values are written
// with 9 significant digits, which restores every float exactly, so formatting a track
// and parsing it again gives the same keys bit for bit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sync/sync_device.h"

namespace quintaval {

struct SheetTrack {
  std::string name;
  std::vector<SyncKey> keys;  // in sheet order
  int line = 0;               // of the "track" line
  std::vector<int> keyLines;  // the line of each key, parallel to `keys`
};

struct SheetMessage {
  int line = 0;
  std::string text;
};

struct TrackSheet {
  std::vector<SheetTrack> tracks;
  std::vector<SheetMessage> errors;    // the sheet must not be compiled when any
  std::vector<SheetMessage> warnings;  // legal but probably not what the author meant

  bool failed() const { return !errors.empty(); }
};

TrackSheet parseTrackSheet(std::string_view text);

// Whether `name` reads back unchanged after "track": it is one word, so it must not be
// empty or hold white space (space, tab, carriage return, line break) or '#', which
// starts a comment.
bool isSheetTrackName(std::string_view name);

// One block: "track NAME" and a line per key, in key order. The name must pass
// isSheetTrackName for the block to read back.
std::string formatSheetTrack(const std::string& name, const std::vector<SyncKey>& keys);

// One key line as formatSheetTrack writes it, without the line break.
std::string formatSheetKey(const SyncKey& key);

// "step", "linear", "smooth", "ramp", or the decimal number for any other type.
std::string interpolationName(int type);

// A float as the sheet writes it: %.9g, or "nan(0xBITS)" for a NaN other than the two
// plain ones, so that every bit pattern survives.
std::string formatSheetValue(float value);
bool parseSheetValue(std::string_view text, float& value);

}  // namespace quintaval
