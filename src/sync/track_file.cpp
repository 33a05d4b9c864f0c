// Reading and writing track files byte by byte, so the layout does not depend on the
// host's struct packing or byte order.
#include "sync/track_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <new>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/files/staged_file.h"

namespace quintaval {
namespace {

std::int32_t loadInt32(const unsigned char* p) {
  const std::uint32_t u = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                          static_cast<std::uint32_t>(p[2]) << 16 |
                          static_cast<std::uint32_t>(p[3]) << 24;
  std::int32_t value;
  std::memcpy(&value, &u, sizeof value);
  return value;
}

void storeUint32(std::string& out, std::uint32_t u) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<char>((u >> shift) & 0xffu));
  }
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string trackFilePath(const std::string& base, const std::string& name) {
  return base + "_" + name + ".track";
}

bool readTrackFile(const std::string& path, std::vector<SyncKey>& keys, TrackFileReport* report) {
  keys.clear();
  TrackFileReport local;
  TrackFileReport& info = report ? *report : local;
  info = TrackFileReport{};

  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  // A failure closes the file but keeps the errno that explains it.
  auto fail = [&file](int error) {
    file.reset();
    errno = error;
    return false;
  };
  // Only regular files are track files: a directory opens on Linux but reads nothing.
  struct stat status;
  if (fstat(fileno(file.get()), &status) != 0) return fail(errno);
  if (!S_ISREG(status.st_mode)) return fail(S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
  // The length bounds how many keys can exist, whatever the count field says. Taken from
  // the file's status, which holds 64 bits where ftell's long has 32 (Windows).
  const std::int64_t length = status.st_size;
  info.fileBytes = length;

  unsigned char countBytes[4];
  if (std::fread(countBytes, 1, 4, file.get()) != 4) {
    return std::ferror(file.get()) ? fail(errno) : true;
  }
  info.countFieldComplete = true;
  info.announcedCount = loadInt32(countBytes);
  if (info.announcedCount <= 0) return true;

  const std::int64_t held = (static_cast<std::int64_t>(length) - 4) / kTrackKeyBytes;
  const std::int64_t count = std::min<std::int64_t>(info.announcedCount, held);
  if (count > kMaxTrackKeys) return fail(EFBIG);
  std::vector<unsigned char> data;
  try {
    data.resize(static_cast<size_t>(count) * kTrackKeyBytes);
    keys.resize(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    keys = std::vector<SyncKey>();
    return fail(ENOMEM);
  }
  // A file that shrank since its length was taken yields fewer whole keys.
  const size_t got = data.empty() ? 0 : std::fread(data.data(), 1, data.size(), file.get());
  if (std::ferror(file.get())) {
    keys.clear();
    return fail(errno);
  }
  const size_t whole = got / kTrackKeyBytes;
  keys.resize(whole);
  for (size_t i = 0; i < whole; ++i) {
    const unsigned char* p = data.data() + i * kTrackKeyBytes;
    keys[i].row = loadInt32(p);
    const std::int32_t bits = loadInt32(p + 4);
    std::memcpy(&keys[i].value, &bits, sizeof bits);
    keys[i].type = static_cast<signed char>(p[8]);
  }
  return true;
}

bool encodeTrackFile(const std::vector<SyncKey>& keys, std::string& bytes) {
  bytes.clear();
  if (keys.size() > static_cast<size_t>(INT32_MAX)) return false;
  bytes.reserve(4 + keys.size() * kTrackKeyBytes);
  storeUint32(bytes, static_cast<std::uint32_t>(keys.size()));
  for (const SyncKey& key : keys) {
    if (key.type < -128 || key.type > 127) return false;
    storeUint32(bytes, static_cast<std::uint32_t>(key.row));
    std::uint32_t bits;
    std::memcpy(&bits, &key.value, sizeof bits);
    storeUint32(bytes, bits);
    bytes.push_back(static_cast<char>(static_cast<signed char>(key.type)));
  }
  return true;
}

bool stageTrackFile(const std::string& path, const std::vector<SyncKey>& keys,
                    std::string& tempPath) {
  tempPath.clear();
  std::string bytes;
  return encodeTrackFile(keys, bytes) && stageFile(path, bytes, tempPath);
}

bool writeTrackFile(const std::string& path, const std::vector<SyncKey>& keys) {
  std::string temp;
  if (!stageTrackFile(path, keys, temp)) return false;
  if (!commitStagedFile(temp, path)) {
    discardStagedFile(temp);
    return false;
  }
  return true;
}

}  // namespace quintaval
