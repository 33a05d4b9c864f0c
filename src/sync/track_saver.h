// The files of tracks edited in the player: a save writes each edited track's file and,
// when the author named one, keeps the sheet current; between saves a recovery file
// holds the unsaved edits, so that a crash loses none of them.
//
// Every file is written whole beside its place and renamed into it only when complete:
// a crash during a save leaves each file old or new, never part of either. A save stages
// all its files first and renames none of them unless every one was written.
//
// The saver remembers the bytes it last wrote to each track file, so that the watcher's
// news of its own save can be told apart from another program's change.
//
// The recovery file is a sheet ("recovery.sync" beside the track files) holding the
// whole key lists of the tracks with unsaved edits; quintaval-tracks reads it as any
// sheet.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "sync/track_file.h"
#include "sync/track_sheet.h"

namespace quintaval {

class TrackSaver {
 public:
  // The files written for a save, not yet in place. Those not committed are removed
  // when the batch goes.
  class Batch {
   public:
    Batch() = default;
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // Why the sheet is not part of the save (it does not parse, cannot be read or
    // written); empty when it is, or when no sheet was named.
    const std::string& sheetProblem() const { return sheetProblem_; }

   private:
    friend class TrackSaver;
    struct Staged {
      std::string temp;
      std::string path;
      std::string track;  // empty for the sheet
      std::string bytes;
    };
    std::vector<Staged> files_;
    std::string sheetProblem_;
  };

  // Track files are `trackBase`_<name>.track; `sheetPath` names the author's sheet, empty
  // for none.
  TrackSaver(std::string trackBase, std::string sheetPath);

  std::string trackPath(const std::string& name) const { return trackFilePath(base_, name); }
  const std::string& sheetPath() const { return sheetPath_; }
  const std::string& recoveryPath() const { return recoveryPath_; }

  // Writes the files of a save of `tracks` beside their places. False, with `error`
  // naming the file and the reason, when a track file cannot be written; nothing is then
  // left behind. A sheet that cannot be kept current does not stop the save.
  bool stage(const std::vector<SheetTrack>& tracks, Batch& batch, std::string& error);
  // Renames the staged files into place, the sheet last, and removes the recovery file.
  // False, with `error`, when a rename fails; the files renamed before it stay saved.
  bool commit(Batch& batch, std::string& error);

  // Whether the track's file holds exactly what this saver last wrote to it.
  bool holdsOwnSave(const std::string& name) const;

  // The recovery file for `tracks`; with no tracks, it is removed.
  bool writeRecovery(const std::vector<SheetTrack>& tracks, std::string& error);
  void removeRecovery();

 private:
  bool stageSheet(const std::vector<SheetTrack>& tracks, Batch& batch);

  std::string base_;
  std::string sheetPath_;
  std::string recoveryPath_;
  std::map<std::string, std::string> written_;  // track name: the bytes of its last save
};

// What a recovery file found at start-up holds for the author.
struct Recovery {
  enum class State {
    kNone,     // no recovery file
    kOffered,  // newer than every track file: `tracks` holds the edits
    kOlder,    // a track file was written after it; not offered
    kDamaged,  // it does not read as a sheet: `why`
  };
  State state = State::kNone;
  std::vector<SheetTrack> tracks;
  std::string why;
};

// Reads the recovery file at `path` and compares its age with `trackFiles`.
Recovery readRecovery(const std::string& path, const std::vector<std::string>& trackFiles);

}  // namespace quintaval
