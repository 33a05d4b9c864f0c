// Fuzzer for track sheets. A sheet that parses without errors must survive a round trip:
// formatting each of its tracks and parsing the result gives the same keys bit for bit.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "sync/track_sheet.h"

namespace {

bool sameKey(const quintaval::SyncKey& a, const quintaval::SyncKey& b) {
  return a.row == b.row && a.type == b.type && std::memcmp(&a.value, &b.value, sizeof a.value) == 0;
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
    if (copy.name != track.name || copy.keys.size() != track.keys.size()) std::abort();
    for (std::size_t i = 0; i < track.keys.size(); ++i) {
      if (!sameKey(copy.keys[i], track.keys[i])) std::abort();
    }
  }
  return 0;
}
