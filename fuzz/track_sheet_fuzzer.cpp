// Fuzzer for track sheets. A sheet that parses without errors must survive a round trip:
// formatting each of its tracks and parsing the result gives the same keys bit for bit.
// And when its keys ascend, the player's rewrite of every track with its own keys gives
// the sheet back byte for byte.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sync/sheet_rewrite.h"
#include "sync/track_sheet.h"

namespace {

bool ascending(const std::vector<quintaval::SyncKey>& keys) {
  for (std::size_t i = 1; i < keys.size(); ++i) {
    if (keys[i].row <= keys[i - 1].row) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quintaval;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TrackSheet sheet = parseTrackSheet(text);
  if (sheet.failed()) return 0;

  for (const SheetTrack& track : sheet.tracks) {
    const std::string block = formatSheetTrack(track.name, track.keys);
    const TrackSheet again = parseTrackSheet(block);
    if (again.failed() || again.tracks.size() != 1) std::abort();
    const SheetTrack& copy = again.tracks.front();
    if (copy.name != track.name || !sameKeys(copy.keys, track.keys)) std::abort();
  }

  for (const SheetTrack& track : sheet.tracks) {
    if (!ascending(track.keys)) return 0;
  }
  std::string rewritten, error;
  if (!rewriteSheet(text, sheet.tracks, rewritten, error) || rewritten != text) std::abort();
  return 0;
}
