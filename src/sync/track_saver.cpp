#include "sync/track_saver.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/files/staged_file.h"
#include "sync/sheet_rewrite.h"
#include "sync/track_file.h"
#include "textio/text_file.h"

namespace quintaval {
namespace {

namespace fs = std::filesystem;

std::string reason() { return std::strerror(errno); }

std::string folderOf(const std::string& base) {
  const fs::path parent = fs::u8path(base).parent_path();
  return parent.empty() ? std::string() : parent.u8string() + "/";
}

}  // namespace

TrackSaver::Batch::~Batch() {
  for (const Staged& file : files_) discardStagedFile(file.temp);
}

TrackSaver::TrackSaver(std::string trackBase, std::string sheetPath)
    : base_(std::move(trackBase)), sheetPath_(std::move(sheetPath)), recoveryPath_(folderOf(base_) + "recovery.sync") {}

bool TrackSaver::stage(const std::vector<SheetTrack>& tracks, Batch& batch, std::string& error) {
  for (const SheetTrack& track : tracks) {
    Batch::Staged file{{}, trackPath(track.name), track.name, {}};
    if (!encodeTrackFile(track.keys, file.bytes) || !stageFile(file.path, file.bytes, file.temp)) {
      error = file.path + ": " + reason();
      for (const Batch::Staged& staged : batch.files_) discardStagedFile(staged.temp);
      batch.files_.clear();
      return false;
    }
    batch.files_.push_back(std::move(file));
  }
  if (!sheetPath_.empty() && !stageSheet(tracks, batch)) batch.sheetProblem_ = sheetPath_ + ": " + batch.sheetProblem_;
  return true;
}

bool TrackSaver::stageSheet(const std::vector<SheetTrack>& tracks, Batch& batch) {
  std::string text;
  if (!readWholeFile(sheetPath_, text)) {
    batch.sheetProblem_ = whyNotReadable(sheetPath_);
    if (batch.sheetProblem_.empty()) batch.sheetProblem_ = "cannot be read";
    return false;
  }
  Batch::Staged file{{}, sheetPath_, {}, {}};
  if (!rewriteSheet(text, tracks, file.bytes, batch.sheetProblem_)) return false;
  if (!stageFile(file.path, file.bytes, file.temp)) {
    batch.sheetProblem_ = reason();
    return false;
  }
  batch.files_.push_back(std::move(file));
  return true;
}

bool TrackSaver::commit(Batch& batch, std::string& error) {
  bool ok = true;
  for (Batch::Staged& file : batch.files_) {
    if (!ok) continue;  // left for the batch to remove
    if (!commitStagedFile(file.temp, file.path)) {
      error = file.path + ": " + reason();
      ok = false;
      continue;
    }
    file.temp.clear();
    if (!file.track.empty()) written_[file.track] = std::move(file.bytes);
  }
  if (ok) removeRecovery();
  return ok;
}

bool TrackSaver::holdsOwnSave(const std::string& name) const {
  const auto it = written_.find(name);
  std::string bytes;
  return it != written_.end() && readWholeFile(trackPath(name), bytes) && bytes == it->second;
}

bool TrackSaver::writeRecovery(const std::vector<SheetTrack>& tracks, std::string& error) {
  if (tracks.empty()) {
    removeRecovery();
    return true;
  }
  std::string text =
      "# Unsaved edits of the player's author mode. The next start in author mode offers\n"
      "# them while this file is newer than the track files; a save removes it.\n";
  for (const SheetTrack& track : tracks) text += "\n" + formatSheetTrack(track.name, track.keys);
  std::string temp;
  if (!stageFile(recoveryPath_, text, temp) || !commitStagedFile(temp, recoveryPath_)) {
    error = recoveryPath_ + ": " + reason();
    if (!temp.empty()) discardStagedFile(temp);
    return false;
  }
  return true;
}

void TrackSaver::removeRecovery() {
  std::error_code ignored;
  fs::remove(fs::u8path(recoveryPath_), ignored);
}

Recovery readRecovery(const std::string& path, const std::vector<std::string>& trackFiles) {
  Recovery recovery;
  std::error_code error;
  const fs::path file = fs::u8path(path);
  if (!fs::exists(file, error)) return recovery;
  const fs::file_time_type written = fs::last_write_time(file, error);
  std::string text;
  if (error || !readWholeFile(path, text)) {
    recovery.state = Recovery::State::kDamaged;
    recovery.why = whyNotReadable(path);
    return recovery;
  }
  for (const std::string& track : trackFiles) {
    std::error_code missing;
    const fs::file_time_type trackWritten = fs::last_write_time(fs::u8path(track), missing);
    if (!missing && trackWritten > written) {
      recovery.state = Recovery::State::kOlder;
      return recovery;
    }
  }
  TrackSheet sheet = parseTrackSheet(text);
  if (sheet.failed()) {
    recovery.state = Recovery::State::kDamaged;
    recovery.why = "line " + std::to_string(sheet.errors[0].line) + ": " + sheet.errors[0].text;
    return recovery;
  }
  recovery.state = Recovery::State::kOffered;
  recovery.tracks = std::move(sheet.tracks);
  return recovery;
}

}  // namespace quintaval
