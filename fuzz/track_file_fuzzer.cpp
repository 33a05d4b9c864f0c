// Fuzzer for binary track files: the bytes become a file that readTrackFile reads, and
// every track built from it is evaluated across the rows the demo plays and at its keys.
// The keys a file holds whole must come back byte for byte from encodeTrackFile.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "sync/sync_device.h"
#include "sync/track_file.h"

namespace {

// One scratch file per fuzzing process, removed at exit.
const std::string& scratchPath() {
  static const std::string path = [] {
    char name[] = "/tmp/quintaval-track-fuzz-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) std::abort();
    ::close(fd);
    static std::string removeAtExit;
    removeAtExit = name;
    std::atexit([] { ::unlink(removeAtExit.c_str()); });
    return std::string(name);
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quintaval;
  const std::string& path = scratchPath();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);

  SyncTrack track;
  TrackFileReport report;
  if (!readTrackFile(path, track.keys, &report)) std::abort();
  if (report.fileBytes != static_cast<std::int64_t>(size)) std::abort();
  const std::size_t whole = size >= 4 ? (size - 4) / kTrackKeyBytes : 0;
  if (track.keys.size() > whole) std::abort();

  std::string bytes;
  if (!encodeTrackFile(track.keys, bytes)) std::abort();
  if (bytes.size() != 4 + track.keys.size() * kTrackKeyBytes) std::abort();
  if (std::memcmp(bytes.data() + 4, data + 4, bytes.size() - 4) != 0) std::abort();

  volatile double sink = 0.0;
  for (double row = -2.0; row < 1800.0; row += 7.25) sink = sink + track.valueAt(row);
  for (const SyncKey& key : track.keys) {
    sink = sink + track.valueAt(key.row) + track.valueAt(key.row + 0.5) +
           track.valueAt(key.row - 0.5);
  }
  sink = sink + track.valueAt(1e300) + track.valueAt(-1e300);
  (void)sink;
  return 0;
}
