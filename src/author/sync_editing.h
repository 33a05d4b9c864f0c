// Sync editing in author mode, around the edit model: undo and redo, saving (Ctrl+S) the
// edited tracks and the author's sheet, the recovery file written a second after edits
// and offered at the next start, and the track files that change on disk while the
// player edits them. Everything it does ends in the author log.
//
// A track file that changes on disk is reloaded as before when its track has no unsaved
// edits; with unsaved edits, they stay and the log names the conflict. The player's own
// save, coming back from the file watcher, changes nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sync/track_editor.h"
#include "sync/track_saver.h"

namespace quintaval {

class AuthorLog;
class SyncDevice;

class SyncEditing {
 public:
  // The recovery file is written when edits are this old and not yet in it.
  static constexpr double kRecoveryDelaySeconds = 1.0;

  // Edits the tracks of `device` named `names` (requested already), in that order.
  // `sheetPath`, when not empty, is the author's sheet that saves keep current.
  SyncEditing(SyncDevice& device, const std::vector<std::string>& names, const std::string& sheetPath,
              AuthorLog& log);

  TrackEditor& editor() { return editor_; }
  const TrackEditor& editor() const { return editor_; }
  bool unsaved() const { return editor_.unsaved(); }
  // "scene.num, fov": the tracks with unsaved edits.
  std::string unsavedNames() const;

  void save();
  void undo();
  void redo();
  // Takes the edits of the recovery file found at start-up, if one was offered.
  void restoreRecovery();

  // A track file changed on disk (the file watcher). False when the track is not one of
  // those edited here.
  bool trackFileChanged(const std::string& name);

  // Once a frame, with the session's time in seconds.
  void update(double now);

 private:
  int indexOf(const std::string& name) const;
  std::vector<SheetTrack> unsavedTracks() const;
  void offerRecovery(const std::vector<std::string>& names);

  SyncDevice& device_;
  AuthorLog& log_;
  TrackEditor editor_;
  TrackSaver saver_;
  std::vector<SheetTrack> recovered_;  // offered, not yet restored
  std::uint64_t recoveryRevision_;     // the editor's revision the recovery file holds
  double changedAt_ = -1.0;            // when edits not yet in the recovery file began
};

}  // namespace quintaval
