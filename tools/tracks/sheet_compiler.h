// Compiling a track sheet into the player's track files, shared by `compile` and `watch`.
// Every message goes to standard error naming the sheet and the line
// ("demo.sync:12: error: ..."). Nothing is written unless the whole sheet is correct and
// every file was written: each file goes to a temporary name first, and the renames
// happen only when all of them are complete.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace quintaval {

enum class SheetCompile {
  kWritten,     // every track file was written
  kUnreadable,  // the sheet is no regular file that can be read
  kFailed,      // the sheet has errors, or a file could not be written
};

// Writes `outDir`/`base`_<track>.track for every track of the sheet at `sheetPath`,
// creating `outDir` when missing. Every error is reported; `trackCount` is the number of
// tracks written.
SheetCompile compileSheet(const std::string& sheetPath, const std::filesystem::path& outDir,
                          const std::string& base, std::size_t& trackCount);

}  // namespace quintaval
