// Files written whole or not at all: the bytes go to a temporary file beside the target,
// which then takes the target's place in one step, so a reader (the player, an editor)
// sees the old file or the new one, never a part. Paths are UTF-8. One source per system:
// staged_file_posix.cpp (mkstemp, rename) and staged_file_win32.cpp (MoveFileExW).
#pragma once

#include <string>

namespace quintaval {

// Writes `bytes` to a new file beside `path`, flushed to the disk, and names it in
// `tempPath`. False, with errno set and nothing left behind, when it cannot.
bool stageFile(const std::string& path, const std::string& bytes, std::string& tempPath);

// Puts the staged file in `path`'s place, replacing what is there. False, with errno set,
// when it cannot; the staged file then stays for the caller to remove.
bool commitStagedFile(const std::string& tempPath, const std::string& path);

// Removes a staged file that is not wanted after all.
void discardStagedFile(const std::string& tempPath);

}  // namespace quintaval
