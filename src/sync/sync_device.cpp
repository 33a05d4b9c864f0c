// Track lookup, reading on first request, and evaluation of the four interpolations in
// double precision.
#include "sync/sync_device.h"

#include <cmath>
#include <cstring>

#include "sync/track_file.h"

namespace quintaval {

bool sameKey(const SyncKey& a, const SyncKey& b) {
  return a.row == b.row && a.type == b.type && std::memcmp(&a.value, &b.value, sizeof a.value) == 0;
}

bool sameKeys(const std::vector<SyncKey>& a, const std::vector<SyncKey>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (!sameKey(a[i], b[i])) return false;
  }
  return true;
}

int findKey(const std::vector<SyncKey>& keys, double row) {
  int lo = 0;
  int hi = static_cast<int>(keys.size());
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    // Compared as doubles: every int is exact in a double, and a row far outside the
    // int range needs no conversion.
    const double keyRow = keys[mid].row;
    if (keyRow < row) {
      lo = mid + 1;
    } else if (keyRow > row) {
      hi = mid;
    } else {
      return mid;
    }
  }
  return lo - 1;
}

double SyncTrack::valueAt(double row) const {
  if (keys.empty()) return 0.0;
  // NaN would compare unequal to everything and land on an arbitrary segment.
  if (std::isnan(row)) return keys.front().value;
  const int count = static_cast<int>(keys.size());
  const int i = findKey(keys, std::floor(row));
  if (i < 0) return keys.front().value;
  if (i > count - 2) return keys.back().value;

  const SyncKey& a = keys[i];
  const SyncKey& b = keys[i + 1];
  // A damaged file may repeat a row or break the order; a zero or negative span would
  // give an infinite or negative t, so such a segment holds its start value.
  const double span = static_cast<double>(b.row) - static_cast<double>(a.row);
  const double t = span > 0.0 ? (row - a.row) / span : 0.0;
  const double from = a.value;
  const double delta = static_cast<double>(b.value) - from;
  switch (a.type) {
    case kSyncStep:
      return from;
    case kSyncLinear:
      return from + delta * t;
    case kSyncSmooth:
      return from + delta * (t * t * (3.0 - 2.0 * t));
    case kSyncRamp:
      // t to the power 2.0; the product is the same correctly rounded value.
      return from + delta * (t * t);
    default:
      return 0.0;
  }
}

std::unique_ptr<SyncDevice> SyncDevice::create(const std::string& base) {
  return std::unique_ptr<SyncDevice>(new SyncDevice(base));
}

std::string SyncDevice::trackPath(const std::string& name) const {
  return trackFilePath(base_, name);
}

SyncTrack* SyncDevice::requestedTrack(const std::string& name) {
  for (const auto& track : tracks_) {
    if (track->name == name) return track.get();
  }
  return nullptr;
}

bool SyncDevice::reloadTrack(const std::string& name) {
  SyncTrack* track = requestedTrack(name);
  std::vector<SyncKey> keys;
  if (!track || !readTrackFile(trackPath(name), keys)) return false;
  track->keys = std::move(keys);
  return true;
}

const SyncTrack* SyncDevice::getTrack(const std::string& name) {
  if (const SyncTrack* requested = requestedTrack(name)) return requested;
  auto track = std::make_unique<SyncTrack>();
  track->name = name;
  readTrackFile(trackPath(name), track->keys);
  tracks_.push_back(std::move(track));
  return tracks_.back().get();
}

}  // namespace quintaval
