// Steps are lists of per-track changes that know their own inverse; applying one merges
// the added keys into the track in one pass, so a step costs a copy of the track at most.
#include "sync/track_editor.h"

#include <algorithm>
#include <climits>

namespace quintaval {
namespace {

bool ascending(const std::vector<SyncKey>& keys) {
  for (size_t i = 1; i < keys.size(); ++i) {
    if (keys[i].row <= keys[i - 1].row) return false;
  }
  return true;
}

bool byRow(const SyncKey& a, const SyncKey& b) { return a.row < b.row; }

// Takes the keys of the rows of `out` (all present, ascending) out of `keys` and merges
// `in` (ascending, rows not present once `out` is gone) into them.
void exchange(std::vector<SyncKey>& keys, const std::vector<SyncKey>& out, const std::vector<SyncKey>& in) {
  std::vector<SyncKey> result;
  result.reserve(keys.size() - out.size() + in.size());
  size_t o = 0, n = 0;
  for (const SyncKey& key : keys) {
    if (o < out.size() && out[o].row == key.row) {
      ++o;
      continue;
    }
    while (n < in.size() && in[n].row < key.row) result.push_back(in[n++]);
    result.push_back(key);
  }
  while (n < in.size()) result.push_back(in[n++]);
  keys = std::move(result);
}

bool fitsRow(std::int64_t row) { return row >= INT_MIN && row <= INT_MAX; }

}  // namespace

TrackEditor::TrackEditor(std::vector<SyncTrack*> tracks) : tracks_(std::move(tracks)) {
  for (const SyncTrack* track : tracks_) {
    saved_.push_back(track->keys);
    unsaved_.push_back(false);
    editable_.push_back(ascending(track->keys));
  }
}

bool TrackEditor::editable(int index) const {
  return index >= 0 && index < trackCount() && editable_[static_cast<size_t>(index)];
}

bool TrackEditor::usable(int index) {
  endDrag();
  return editable(index);
}

const SyncKey* TrackEditor::keyAt(int index, int row) const {
  const std::vector<SyncKey>& keys = track(index).keys;
  const int i = findKey(keys, row);
  return i >= 0 && keys[static_cast<size_t>(i)].row == row ? &keys[static_cast<size_t>(i)] : nullptr;
}

int TrackEditor::typeBefore(int index, int row) const {
  const std::vector<SyncKey>& keys = track(index).keys;
  const int i = findKey(keys, static_cast<double>(row) - 1.0);
  return i >= 0 ? keys[static_cast<size_t>(i)].type : kSyncStep;
}

std::optional<TrackEditor::TrackChange> TrackEditor::change(int index, std::int64_t from, std::int64_t to,
                                                            std::vector<SyncKey> added) const {
  std::sort(added.begin(), added.end(), byRow);
  added.erase(std::unique(added.begin(), added.end(), [](const SyncKey& a, const SyncKey& b) { return a.row == b.row; }),
              added.end());
  const std::vector<SyncKey>& keys = track(index).keys;
  TrackChange result{index, {}, std::move(added), false};
  size_t a = 0;
  for (const SyncKey& key : keys) {
    while (a < result.added.size() && result.added[a].row < key.row) ++a;
    const bool inRange = key.row >= from && key.row <= to;
    const bool replaced = a < result.added.size() && result.added[a].row == key.row;
    if (inRange || replaced) result.removed.push_back(key);
  }
  if (sameKeys(result.removed, result.added)) return std::nullopt;
  return result;
}

void TrackEditor::apply(const Step& step, bool forward) {
  for (const TrackChange& part : step) {
    std::vector<SyncKey>& keys = tracks_[static_cast<size_t>(part.track)]->keys;
    const std::vector<SyncKey>& out = forward ? part.removed : part.added;
    const std::vector<SyncKey>& in = forward ? part.added : part.removed;
    if (part.whole) {
      keys = in;
    } else {
      exchange(keys, out, in);
    }
    refresh(part.track);
  }
  ++revision_;
}

void TrackEditor::refresh(int index) {
  const size_t i = static_cast<size_t>(index);
  unsaved_[i] = !sameKeys(tracks_[i]->keys, saved_[i]);
  editable_[i] = ascending(tracks_[i]->keys);
}

bool TrackEditor::record(Step step) {
  if (step.empty()) return false;
  apply(step, true);
  done_.push_back(std::move(step));
  if (done_.size() > kUndoSteps) done_.pop_front();
  undone_.clear();
  return true;
}

bool TrackEditor::setKey(int index, const SyncKey& key) {
  if (!usable(index)) return false;
  std::optional<TrackChange> part = change(index, 1, 0, {key});
  return part && record({std::move(*part)});
}

bool TrackEditor::setValue(int index, int row, float value) {
  if (!usable(index)) return false;
  const SyncKey* there = keyAt(index, row);
  return setKey(index, {row, value, there ? there->type : typeBefore(index, row)});
}

bool TrackEditor::addKeyOnCurve(int index, int row) {
  if (!usable(index) || keyAt(index, row)) return false;
  const float value = static_cast<float>(track(index).valueAt(row));
  return setKey(index, {row, value, typeBefore(index, row)});
}

bool TrackEditor::removeKey(int index, int row) {
  if (!usable(index)) return false;
  std::optional<TrackChange> part = change(index, row, row, {});
  return part && record({std::move(*part)});
}

bool TrackEditor::cycleInterpolation(int index, int row) {
  if (!usable(index)) return false;
  const SyncKey* there = keyAt(index, row);
  if (!there) return false;
  // A raw type of a damaged file starts the cycle again.
  const int next = there->type >= kSyncStep && there->type < kSyncRamp ? there->type + 1 : kSyncStep;
  return setKey(index, {row, there->value, next});
}

void TrackEditor::copy(const KeyBlock& block) {
  Clipboard clip;
  clip.tracks = block.lastTrack - block.firstTrack + 1;
  clip.rows = block.lastRow - block.firstRow + 1;
  if (clip.tracks <= 0 || clip.rows <= 0) return;
  for (int t = block.firstTrack; t <= block.lastTrack; ++t) {
    std::vector<SyncKey> keys;
    if (t >= 0 && t < trackCount()) {
      for (const SyncKey& key : track(t).keys) {
        if (key.row < block.firstRow || key.row > block.lastRow) continue;
        keys.push_back({key.row - block.firstRow, key.value, key.type});
      }
    }
    clip.keys.push_back(std::move(keys));
  }
  clipboard_ = std::move(clip);
}

bool TrackEditor::cut(const KeyBlock& block) {
  endDrag();
  copy(block);
  Step step;
  for (int t = std::max(block.firstTrack, 0); t <= block.lastTrack && t < trackCount(); ++t) {
    if (!editable(t)) continue;
    if (std::optional<TrackChange> part = change(t, block.firstRow, block.lastRow, {})) step.push_back(std::move(*part));
  }
  return record(std::move(step));
}

bool TrackEditor::paste(int index, int row) {
  endDrag();
  if (clipboard_.tracks == 0) return false;
  Step step;
  for (int t = 0; t < clipboard_.tracks; ++t) {
    const int target = index + t;
    if (target < 0 || target >= trackCount() || !editable(target)) continue;
    std::vector<SyncKey> added;
    for (const SyncKey& key : clipboard_.keys[static_cast<size_t>(t)]) {
      const std::int64_t at = static_cast<std::int64_t>(row) + key.row;
      if (fitsRow(at)) added.push_back({static_cast<int>(at), key.value, key.type});
    }
    const std::int64_t last = static_cast<std::int64_t>(row) + clipboard_.rows - 1;
    if (std::optional<TrackChange> part = change(target, row, last, std::move(added))) step.push_back(std::move(*part));
  }
  return record(std::move(step));
}

bool TrackEditor::beginDrag(int index, int row) {
  if (!usable(index)) return false;  // ends a drag still going
  const SyncKey* there = keyAt(index, row);
  if (!there) return false;
  drag_ = Drag{index, *there, std::nullopt};
  return true;
}

void TrackEditor::dragTo(int row, float value) {
  if (!drag_) return;
  if (drag_->shown) apply(*drag_->shown, false);
  drag_->shown.reset();
  std::optional<TrackChange> part =
      change(drag_->track, drag_->origin.row, drag_->origin.row, {{row, value, drag_->origin.type}});
  if (!part) return;
  drag_->shown = Step{std::move(*part)};
  apply(*drag_->shown, true);
}

void TrackEditor::endDrag() {
  if (!drag_) return;
  std::optional<Step> shown = std::move(drag_->shown);
  drag_.reset();
  if (!shown) return;
  done_.push_back(std::move(*shown));
  if (done_.size() > kUndoSteps) done_.pop_front();
  undone_.clear();
}

bool TrackEditor::replaceTracks(const std::vector<std::pair<int, std::vector<SyncKey>>>& tracks) {
  endDrag();
  Step step;
  for (const auto& [index, keys] : tracks) {
    if (index < 0 || index >= trackCount() || sameKeys(track(index).keys, keys)) continue;
    step.push_back({index, track(index).keys, keys, true});
  }
  return record(std::move(step));
}

bool TrackEditor::undo() {
  endDrag();
  if (done_.empty()) return false;
  apply(done_.back(), false);
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  return true;
}

bool TrackEditor::redo() {
  endDrag();
  if (undone_.empty()) return false;
  apply(undone_.back(), true);
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  return true;
}

bool TrackEditor::unsaved() const { return std::find(unsaved_.begin(), unsaved_.end(), true) != unsaved_.end(); }

std::vector<int> TrackEditor::unsavedTracks() const {
  std::vector<int> indices;
  for (int i = 0; i < trackCount(); ++i) {
    if (unsaved(i)) indices.push_back(i);
  }
  return indices;
}

void TrackEditor::setSaved(int index, std::vector<SyncKey> keys) {
  if (index < 0 || index >= trackCount()) return;
  saved_[static_cast<size_t>(index)] = std::move(keys);
  refresh(index);
}

}  // namespace quintaval
