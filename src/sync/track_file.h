// The binary track file: little-endian, no header, no padding.
//   offset 0        int32  key count N
//   offset 4 + 9i   int32  row of key i
//   offset 8 + 9i   float  value of key i (IEEE 754 single)
//   offset 12 + 9i  int8   interpolation type of key i, sign-extended into SyncKey::type
// Damaged files are data, not errors: only the keys the file holds whole are kept, a
// negative count means no keys, and the key array is sized from the file's length, never
// from the announced count alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sync/sync_device.h"

namespace quintaval {

constexpr int kTrackKeyBytes = 9;
// No track holds more keys than this (a 151 MB file, twelve days of rows at 14 a second).
// A file that claims more, and is as long as it claims (a sparse file, say), is refused
// rather than read into memory it would exhaust.
constexpr std::int64_t kMaxTrackKeys = std::int64_t{1} << 24;

// The file of track `name` for the track files' `base` (such as "Data/Rocket/sync"):
// base + "_" + name + ".track", the name used unchanged (dots included).
std::string trackFilePath(const std::string& base, const std::string& name);

// What a read found beyond the keys, for tools that report damaged files.
struct TrackFileReport {
  std::int32_t announcedCount = 0;  // the count field as stored (0 if the file is shorter)
  std::int64_t fileBytes = 0;
  bool countFieldComplete = false;  // the file holds the 4 count bytes
};

// Replaces `keys` with the keys of the file. Returns false, with errno telling why and
// `keys` left empty, when the file cannot be opened or read or is not a regular file
// (EISDIR for a directory), holds more than kMaxTrackKeys keys (EFBIG), or does not fit
// in memory (ENOMEM); a damaged file still returns true with the whole keys it holds.
bool readTrackFile(const std::string& path, std::vector<SyncKey>& keys,
                   TrackFileReport* report = nullptr);

// The file image of `keys`. Types are stored as one signed byte; a type outside
// -128..127 cannot be stored, and the result is then false.
bool encodeTrackFile(const std::vector<SyncKey>& keys, std::string& bytes);

// Writes the file image of `keys` to `path` through a temporary file in the same
// directory that is renamed over `path`, so a reader never sees a partial file.
bool writeTrackFile(const std::string& path, const std::vector<SyncKey>& keys);

// The first half of writeTrackFile, for writers of several files that rename only once
// every file is complete: writes a temporary file next to `path` and returns its name
// in `tempPath`. The caller renames it to `path` or removes it.
bool stageTrackFile(const std::string& path, const std::vector<SyncKey>& keys,
                    std::string& tempPath);

}  // namespace quintaval
