#include "sheet_compiler.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/files/staged_file.h"
#include "sync/track_file.h"
#include "sync/track_sheet.h"
#include "textio/text_file.h"

namespace quintaval {

namespace fs = std::filesystem;

SheetCompile compileSheet(const std::string& sheetPath, const fs::path& outDir, const std::string& base,
                          std::size_t& trackCount) {
  trackCount = 0;
  // Only a regular file is a sheet: a folder or a device is refused, with the reason,
  // before anything is made.
  std::string text;
  const std::string unreadable = whyNotReadable(sheetPath);
  if (!unreadable.empty() || !readWholeFile(sheetPath, text)) {
    std::fprintf(stderr, "%s: cannot read: %s\n", sheetPath.c_str(),
                 unreadable.empty() ? std::strerror(errno) : unreadable.c_str());
    return SheetCompile::kUnreadable;
  }
  const TrackSheet sheet = parseTrackSheet(text);
  for (const SheetMessage& warning : sheet.warnings) {
    std::fprintf(stderr, "%s:%d: warning: %s\n", sheetPath.c_str(), warning.line,
                 warning.text.c_str());
  }
  for (const SheetMessage& error : sheet.errors) {
    std::fprintf(stderr, "%s:%d: error: %s\n", sheetPath.c_str(), error.line, error.text.c_str());
  }
  if (sheet.failed()) return SheetCompile::kFailed;

  std::error_code ec;
  fs::create_directories(outDir, ec);
  if (ec) {
    std::fprintf(stderr, "%s: cannot create directory: %s\n", outDir.string().c_str(), ec.message().c_str());
    return SheetCompile::kFailed;
  }
  std::vector<std::pair<std::string, std::string>> staged;  // temporary, final
  bool ok = true;
  for (const SheetTrack& track : sheet.tracks) {
    const std::string path = trackFilePath((outDir / base).string(), track.name);
    std::string temp;
    if (!stageTrackFile(path, track.keys, temp)) {
      std::fprintf(stderr, "%s:%d: error: cannot write %s: %s\n", sheetPath.c_str(), track.line,
                   path.c_str(), std::strerror(errno));
      ok = false;
      break;
    }
    staged.emplace_back(temp, path);
  }
  for (const auto& [temp, path] : staged) {
    if (ok && !commitStagedFile(temp, path)) {
      std::fprintf(stderr, "%s: error: cannot write %s: %s\n", sheetPath.c_str(), path.c_str(),
                   std::strerror(errno));
      ok = false;
    }
    if (!ok) discardStagedFile(temp);
  }
  if (!ok) return SheetCompile::kFailed;
  trackCount = staged.size();
  return SheetCompile::kWritten;
}

}  // namespace quintaval
