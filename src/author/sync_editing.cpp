#include "author/sync_editing.h"

#include <cerrno>
#include <cstring>

#include "author/author_log.h"
#include "core/error_report.h"
#include "sync/sync_device.h"
#include "sync/track_file.h"

namespace quintaval {
namespace {

std::vector<SyncTrack*> requestedTracks(SyncDevice& device, const std::vector<std::string>& names) {
  std::vector<SyncTrack*> tracks;
  for (const std::string& name : names) {
    device.getTrack(name);
    tracks.push_back(device.requestedTrack(name));
  }
  return tracks;
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

}  // namespace

SyncEditing::SyncEditing(SyncDevice& device, const std::vector<std::string>& names, const std::string& sheetPath,
                         AuthorLog& log)
    : device_(device),
      log_(log),
      editor_(requestedTracks(device, names)),
      saver_(device.base(), sheetPath),
      recoveryRevision_(editor_.revision()) {
  offerRecovery(names);
}

void SyncEditing::offerRecovery(const std::vector<std::string>& names) {
  std::vector<std::string> files;
  for (const std::string& name : names) files.push_back(device_.trackPath(name));
  Recovery recovery = readRecovery(saver_.recoveryPath(), files);
  switch (recovery.state) {
    case Recovery::State::kNone:
      return;
    case Recovery::State::kOlder:
      log_.addNote(saver_.recoveryPath() + " is older than the track files and is not offered");
      return;
    case Recovery::State::kDamaged:
      reportError("The unsaved edits in " + saver_.recoveryPath() + " cannot be read: " + recovery.why);
      return;
    case Recovery::State::kOffered:
      break;
  }
  std::vector<std::string> offered;
  for (SheetTrack& track : recovery.tracks) {
    if (indexOf(track.name) < 0) continue;
    offered.push_back(track.name);
    recovered_.push_back(std::move(track));
  }
  if (offered.empty()) return;
  log_.addNote("unsaved edits of " + joined(offered) + " from an earlier session are in " + saver_.recoveryPath() +
               ": F5 restores them (new edits replace them there)");
}

int SyncEditing::indexOf(const std::string& name) const {
  for (int i = 0; i < editor_.trackCount(); ++i) {
    if (editor_.track(i).name == name) return i;
  }
  return -1;
}

std::string SyncEditing::unsavedNames() const {
  std::vector<std::string> names;
  for (int index : editor_.unsavedTracks()) names.push_back(editor_.track(index).name);
  return joined(names);
}

std::vector<SheetTrack> SyncEditing::unsavedTracks() const {
  std::vector<SheetTrack> tracks;
  for (int index : editor_.unsavedTracks()) tracks.push_back({editor_.track(index).name, editor_.track(index).keys, 0, {}});
  return tracks;
}

void SyncEditing::save() {
  editor_.endDrag();
  const std::vector<SheetTrack> tracks = unsavedTracks();
  if (tracks.empty()) {
    log_.addNote("nothing to save");
    return;
  }
  TrackSaver::Batch batch;
  std::string error;
  if (!saver_.stage(tracks, batch, error) || !saver_.commit(batch, error)) {
    reportError("Could not save the tracks; the edits stay unsaved: " + error);
    return;
  }
  for (const SheetTrack& track : tracks) editor_.setSaved(indexOf(track.name), track.keys);
  recoveryRevision_ = editor_.revision();
  changedAt_ = -1.0;
  std::vector<std::string> names;
  for (const SheetTrack& track : tracks) names.push_back(track.name);
  std::string note = "saved " + joined(names);
  if (!saver_.sheetPath().empty() && batch.sheetProblem().empty()) note += " and " + saver_.sheetPath();
  log_.addNote(note);
  if (!batch.sheetProblem().empty()) reportError("The sheet was not kept current: " + batch.sheetProblem());
}

void SyncEditing::undo() { log_.addNote(editor_.undo() ? "undone" : "nothing to undo"); }

void SyncEditing::redo() { log_.addNote(editor_.redo() ? "redone" : "nothing to redo"); }

void SyncEditing::restoreRecovery() {
  if (recovered_.empty()) {
    log_.addNote("no unsaved edits to restore");
    return;
  }
  std::vector<std::pair<int, std::vector<SyncKey>>> tracks;
  std::vector<std::string> names;
  for (SheetTrack& track : recovered_) {
    tracks.emplace_back(indexOf(track.name), std::move(track.keys));
    names.push_back(track.name);
  }
  recovered_.clear();
  editor_.replaceTracks(tracks);
  log_.addNote("restored the unsaved edits of " + joined(names));
}

bool SyncEditing::trackFileChanged(const std::string& name) {
  const int index = indexOf(name);
  if (index < 0) return false;
  if (saver_.holdsOwnSave(name)) return true;
  const std::string path = device_.trackPath(name);
  std::vector<SyncKey> keys;
  if (!readTrackFile(path, keys)) {
    reportError("Could not reload track " + name + "; the last good version stays: " + path + ": " +
                std::strerror(errno));
    return true;
  }
  if (editor_.unsaved(index)) {
    editor_.setSaved(index, keys);
    if (editor_.unsaved(index)) {
      reportError(path + " changed on disk while " + name +
                  " has unsaved edits: the edits stay, and Ctrl+S writes them over the file");
    }
    return true;
  }
  editor_.replaceTracks({{index, keys}});
  editor_.setSaved(index, std::move(keys));
  log_.addNote("reloaded track " + name);
  return true;
}

void SyncEditing::update(double now) {
  if (editor_.revision() == recoveryRevision_) {
    changedAt_ = -1.0;
    return;
  }
  if (changedAt_ < 0.0) changedAt_ = now;
  if (now - changedAt_ < kRecoveryDelaySeconds) return;
  std::string error;
  if (!saver_.writeRecovery(unsavedTracks(), error)) reportError("Could not keep the unsaved edits safe: " + error);
  recoveryRevision_ = editor_.revision();
  changedAt_ = -1.0;
}

}  // namespace quintaval
