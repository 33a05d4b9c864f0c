// `quintaval-tracks watch`: compiles a sheet, then again after every save of it, so that
// an author edits the text while the player picks up each compiled track. A save is seen
// in the sheet's folder under the sheet's own name, whether the editor rewrites the file
// or writes a temporary file and renames it over the sheet; the events of one save are
// taken together once none has named the sheet for 50 ms. A sheet that does not compile
// is reported as `compile` reports it and leaves the previous tracks in place.
#pragma once

#include <filesystem>
#include <string>

namespace quintaval {

// Runs until SIGINT or SIGTERM, then returns 0; 1 when the sheet's folder cannot be
// watched. Prints a line on standard error after each successful compile.
int watchSheet(const std::string& sheetPath, const std::filesystem::path& outDir,
               const std::string& base);

}  // namespace quintaval
