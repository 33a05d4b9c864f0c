// Sync tracks: named, keyed float curves over rows (14 rows per second of music) that
// drive everything the demo shows. Each track is read once, on its first request, from
// its own binary file "<base>_<name>.track" (see track_file.h for the layout) and is
// evaluated every frame at a fractional row. Evaluation allocates nothing and is a binary
// search over the keys, which are expected in ascending row order (the reader keeps
// the file order and does not sort).
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace quintaval {

// Interpolation of the segment that starts at a key, stored in SyncKey::type. Any other
// value (a damaged file) evaluates to 0.0 over its segment.
enum SyncKeyType : int {
  kSyncStep = 0,    // the key's value, held until the next key
  kSyncLinear = 1,  // straight line to the next key
  kSyncSmooth = 2,  // smoothstep t*t*(3-2t)
  kSyncRamp = 3,    // t squared: starts slow, ends fast
};

struct SyncKey {
  int row = 0;
  float value = 0.0f;
  int type = kSyncStep;
};

struct SyncTrack {
  std::string name;
  std::vector<SyncKey> keys;

  // The value at a fractional row. The row is floored to find the segment; the
  // interpolation parameter uses the unfloored row. No keys: 0.0.
  double valueAt(double row) const;
};

// Whether two keys, or two key lists, are the same, values compared bit for bit (so a
// NaN equals itself and 0 differs from -0).
bool sameKey(const SyncKey& a, const SyncKey& b);
bool sameKeys(const std::vector<SyncKey>& a, const std::vector<SyncKey>& b);

// Index of the key whose row equals `row`, or else of the last key below it, or -1 when
// `row` lies before the first key. Keys must be in ascending row order.
int findKey(const std::vector<SyncKey>& keys, double row);

class SyncDevice {
 public:
  // `base` is the path prefix of every track file, e.g. "Data/Rocket/sync".
  static std::unique_ptr<SyncDevice> create(const std::string& base);

  SyncDevice(const SyncDevice&) = delete;
  SyncDevice& operator=(const SyncDevice&) = delete;

  // The track of that exact (case-sensitive) name. The first request creates the track
  // and reads its file; a missing or unreadable file leaves it without keys (value 0.0
  // everywhere). Later requests return the same handle without reading again. Handles
  // stay valid for the device's lifetime. Never null.
  const SyncTrack* getTrack(const std::string& name);

  // The requested track of that name, for editing in place (author mode); null when no
  // track of that name was requested.
  SyncTrack* requestedTrack(const std::string& name);

  // Reads the file of a requested track again (author mode, after the file changed). The
  // keys are replaced only when the file could be read; false otherwise, or when the track
  // was never requested. The handle stays the same.
  bool reloadTrack(const std::string& name);

  // The file of track `name` (see trackFilePath).
  std::string trackPath(const std::string& name) const;
  const std::string& base() const { return base_; }

  int trackCount() const { return static_cast<int>(tracks_.size()); }

 private:
  explicit SyncDevice(std::string base) : base_(std::move(base)) {}

  std::string base_;
  std::vector<std::unique_ptr<SyncTrack>> tracks_;  // creation order
};

}  // namespace quintaval
