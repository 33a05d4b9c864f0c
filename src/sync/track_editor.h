// Editing sync tracks in place, for author mode: the tracks changed here are the ones the
// frame evaluates, so an edit shows in the next frame. Every edit is one step that can be
// undone and redone: a typed key, a removal, an interpolation change, a cut, a paste, a
// whole drag, a restore of whole tracks. Keys stay in ascending rows, one per row, after
// every step, so evaluation stays a binary search.
//
// The editor also knows what each track's file holds, so it can tell which tracks have
// unsaved edits; writing files is the caller's part (track_saver.h).
//
// Tracks are addressed by their index in the editor (the grid's columns), rows are sync
// rows. A track whose rows do not strictly ascend (a damaged file) is shown but refuses
// edits: sorting it would change what it plays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "sync/sync_device.h"

namespace quintaval {

// Rows and tracks of the grid, both ranges inclusive.
struct KeyBlock {
  int firstTrack = 0;
  int lastTrack = 0;
  int firstRow = 0;
  int lastRow = 0;
};

class TrackEditor {
 public:
  static constexpr std::size_t kUndoSteps = 1000;

  // `tracks` are edited in place and must outlive the editor; their keys as they are now
  // are taken as what their files hold.
  explicit TrackEditor(std::vector<SyncTrack*> tracks);

  int trackCount() const { return static_cast<int>(tracks_.size()); }
  const SyncTrack& track(int index) const { return *tracks_[static_cast<std::size_t>(index)]; }
  bool editable(int index) const;

  // The edits. Each is one step; false when it changed nothing (no key there, a track
  // out of range or not editable, the same key again).
  bool setKey(int index, const SyncKey& key);  // inserts, or replaces the key of its row
  // A typed value: keeps the interpolation of a key at `row`, else takes that of the key
  // before it (step when there is none).
  bool setValue(int index, int row, float value);
  // A key where the curve is: its value there, the interpolation of the key before it.
  bool addKeyOnCurve(int index, int row);
  bool removeKey(int index, int row);
  bool cycleInterpolation(int index, int row);  // step, linear, smooth, ramp, step, ...

  // The keys of `block`, kept with their rows and tracks relative to its corner.
  void copy(const KeyBlock& block);
  bool cut(const KeyBlock& block);
  // The copied block with its corner at (`index`, `row`): the keys it covers there are
  // replaced by the copied ones. Tracks beyond the last are left out.
  bool paste(int index, int row);

  // A drag moves one key; it follows every dragTo (a key it passes over comes back) and
  // becomes one step when it ends. Other edits, undo and redo end a drag first.
  bool beginDrag(int index, int row);
  void dragTo(int row, float value);
  void endDrag();
  bool dragging() const { return drag_.has_value(); }

  // Replaces the keys of whole tracks as one step (recovered edits, a file changed on
  // disk). Keys in any order are taken as they are.
  bool replaceTracks(const std::vector<std::pair<int, std::vector<SyncKey>>>& tracks);

  bool undo();
  bool redo();

  bool unsaved() const;
  bool unsaved(int index) const { return unsaved_[static_cast<std::size_t>(index)]; }
  std::vector<int> unsavedTracks() const;
  // The track's file now holds `keys`: after a save, or when it changed on disk.
  void setSaved(int index, std::vector<SyncKey> keys);

  // Grows with every change of keys, for whoever follows them (the recovery file).
  std::uint64_t revision() const { return revision_; }

 private:
  // One track's part of a step: the keys taken out and those put in. Applying erases
  // the rows of `removed` and inserts `added`; reverting does the opposite. A whole
  // change swaps every key (the keys need not be sorted then).
  struct TrackChange {
    int track = 0;
    std::vector<SyncKey> removed;
    std::vector<SyncKey> added;
    bool whole = false;
  };
  using Step = std::vector<TrackChange>;
  struct Drag {
    int track;
    SyncKey origin;
    std::optional<Step> shown;  // applied, not yet on the undo stack
  };
  struct Clipboard {
    int tracks = 0;
    int rows = 0;
    std::vector<std::vector<SyncKey>> keys;  // per track of the block, rows from its first
  };

  // The change that clears rows `from` to `to` (none when from > to) and the rows of
  // `added`, and puts `added` there. Empty optional when it would change nothing.
  std::optional<TrackChange> change(int index, std::int64_t from, std::int64_t to, std::vector<SyncKey> added) const;
  bool record(Step step);
  void apply(const Step& step, bool forward);
  void refresh(int index);
  const SyncKey* keyAt(int index, int row) const;
  int typeBefore(int index, int row) const;
  bool usable(int index);  // ends a drag first

  std::vector<SyncTrack*> tracks_;
  std::vector<std::vector<SyncKey>> saved_;
  std::vector<bool> unsaved_;
  std::vector<bool> editable_;
  std::deque<Step> done_;
  std::vector<Step> undone_;
  std::optional<Drag> drag_;
  Clipboard clipboard_;
  std::uint64_t revision_ = 0;
};

}  // namespace quintaval
