// Keeping an author's sheet current when the player saves edited tracks. The sheet is
// the author's document: only the key lines of the tracks saved change, and everything
// else (comments, blank lines, the order of the blocks, the spacing of untouched lines)
// is written back as it was read. A key whose row and value stay keeps its trailing
// comment; a key line that must change is written in the columns of the block's first
// key line, so the sheet stays aligned. A track the sheet lacks gets a block at its end.
//
// The rewrite is checked by reading the result back with the compiler's own parser: the
// saved tracks must come out with exactly the keys saved, or nothing is rewritten.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sync/track_sheet.h"

namespace quintaval {

// The sheet `text` with the blocks of `tracks` (name and keys; keys in ascending rows)
// holding those keys. False, with `error` saying why and `out` untouched, when the sheet
// does not parse (its first error, with its line) or a track name cannot be written in
// a sheet.
bool rewriteSheet(std::string_view text, const std::vector<SheetTrack>& tracks, std::string& out,
                  std::string& error);

}  // namespace quintaval
