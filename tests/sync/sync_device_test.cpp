// Track files as the player reads them, and evaluation at the rows that catch faults:
// exact hits, outside the keys, floored negative rows, each interpolation, and damaged
// files.
#include "sync/sync_device.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "support/temp_dir.h"
#include "sync/track_file.h"
#include "textio/text_file.h"

namespace quintaval {
namespace {

using testing::TempDir;
using Keys = std::vector<SyncKey>;

// The file image of `keys` from the library's writer (checked byte by byte below); a damaged
// one announces `count` keys instead.
std::string trackBytes(const Keys& keys, std::optional<std::int32_t> count = {}) {
  std::string bytes;
  EXPECT_TRUE(encodeTrackFile(keys, bytes));
  for (int i = 0; i < 4 && count; ++i) bytes[i] = static_cast<char>(std::uint32_t(*count) >> 8 * i);
  return bytes;
}

TEST(SyncTrack, ValueAtRowsOnBetweenAndOutsideTheKeys) {
  const Keys none, one = {{10, 4.5f, kSyncLinear}};
  const Keys two = {{10, 1.0f, kSyncLinear}, {20, 3.0f, kSyncLinear}};
  auto four = [](int t) { return Keys{{0, 1.0f, t}, {10, -2.0f, t}, {20, 7.0f, t}, {30, 0.0f, t}}; };
  // Segment 0..8 from 1 to 5; at row 2.5, t = 0.3125 (the floored row would give 0.25).
  auto segment = [](int type) { return Keys{{0, 1.0f, type}, {8, 5.0f, kSyncStep}}; };
  const Keys negative = {{-1, 10.0f, kSyncLinear}, {1, 20.0f, kSyncLinear}, {3, 0.0f, kSyncStep}};
  const Keys fromZero = {{0, 4.0f, kSyncLinear}, {2, 8.0f, kSyncLinear}};
  const Keys unknown = {{0, 5.0f, 4}, {10, 6.0f, -1}, {20, 7.0f, kSyncLinear}, {30, 9.0f, kSyncStep}};
  const struct {
    Keys keys;
    double row, value;
  } cases[] = {
      {none, 0.0, 0.0}, {none, -7.5, 0.0}, {one, -100.0, 4.5}, {one, 9.99, 4.5}, {one, 10.0, 4.5},
      {one, 10.5, 4.5}, {one, 1e9, 4.5},
      // Outside the keys the end values hold, also far outside the int range, and for NaN.
      {two, 0.0, 1.0}, {two, 9.999, 1.0}, {two, 20.0, 3.0}, {two, 25.5, 3.0}, {two, 1e12, 3.0},
      {two, -1e12, 1.0}, {two, std::nan(""), 1.0},
      // An exact key row gives that key's value, whatever the interpolation.
      {four(kSyncStep), 10.0, -2.0}, {four(kSyncStep), 20.0, 7.0}, {four(kSyncLinear), 10.0, -2.0},
      {four(kSyncSmooth), 20.0, 7.0}, {four(kSyncRamp), 10.0, -2.0}, {four(kSyncRamp), 20.0, 7.0},
      // The four interpolations; smooth passes the midpoint at the middle.
      {segment(kSyncStep), 2.5, 1.0}, {segment(kSyncStep), 7.99, 1.0}, {segment(kSyncLinear), 2.5, 2.25},
      {segment(kSyncSmooth), 2.5, 1.927734375}, {segment(kSyncSmooth), 4.0, 3.0},
      {segment(kSyncRamp), 2.5, 1.390625}, {segment(kSyncRamp), 4.0, 2.0},
      // In double precision: a float result would lose the low bits of this slope.
      {{{0, 0.0f, kSyncLinear}, {3, 1.0f, kSyncLinear}}, 1.0, 1.0 / 3.0},
      // Negative rows are floored (-1.5 to -2, before the first key); truncation towards 0
      // would extrapolate, or interpolate from a key at 0.
      {negative, -0.5, 12.5}, {negative, -1.5, 10.0}, {fromZero, -0.5, 4.0},
      // Unknown types read 0 over their own segment only.
      {unknown, 0.0, 0.0}, {unknown, 5.0, 0.0}, {unknown, 15.0, 0.0}, {unknown, 25.0, 8.0},
      {unknown, 30.0, 9.0},
      // A repeated row (a damaged file) holds the segment's start value instead of dividing by 0.
      {{{0, 1.0f, kSyncLinear}, {5, 2.0f, kSyncLinear}, {5, 3.0f, kSyncLinear}}, 5.5, 2.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ((SyncTrack{"t", c.keys}.valueAt(c.row)), c.value) << "case " << &c - cases;
  }
}

TEST(TrackFile, ReaderAndWriterUseTheLittleEndianLayout) {
  TempDir dir;
  const Keys keys = {{0, 1.5f, 0}, {-300, -2.25f, 3}, {70000, 1e-3f, -128}};  // -128: sign-extended
  const std::string bytes("\x03\x00\x00\x00"                                    // the count
                          "\x00\x00\x00\x00" "\x00\x00\xc0\x3f" "\x00"       // row, value, type
                          "\xd4\xfe\xff\xff" "\x00\x00\x10\xc0" "\x03"
                          "\x70\x11\x01\x00" "\x6f\x12\x83\x3a" "\x80", 31);
  EXPECT_EQ(trackBytes(keys), bytes);
  Keys read;
  ASSERT_TRUE(readTrackFile(dir.write("sync_a.track", bytes).string(), read));
  EXPECT_EQ(trackBytes(read), bytes);

  const std::string path = (dir.path() / "w.track").string();
  std::string written;
  ASSERT_TRUE(writeTrackFile(path, keys));
  ASSERT_TRUE(readWholeFile(path, written));
  EXPECT_EQ(written, bytes);
  // Only the two files are left, no temporary.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
  EXPECT_FALSE(writeTrackFile(path, {{0, 1.0f, 200}}));  // a type no byte holds
  ASSERT_TRUE(readWholeFile(path, written));
  EXPECT_EQ(written, bytes);  // untouched
  EXPECT_FALSE(writeTrackFile((dir.path() / "no" / "such" / "dir.track").string(), keys));
}

TEST(TrackFile, DamagedFilesKeepOnlyWholeKeys) {
  TempDir dir;
  const std::string three = trackBytes({{0, 1.0f, 1}, {10, 2.0f, 1}, {20, 3.0f, 1}});
  const struct {
    std::string bytes;
    size_t keys;
    std::int32_t announced;
    bool countComplete;
  } cases[] = {
      {three.substr(0, three.size() - 4), 2, 3, true},        // cut in the middle of the third key
      {trackBytes({{0, 1.0f, 0}}, -5), 0, -5, true},                // a negative count means no keys
      {trackBytes({{7, 9.0f, 0}}, INT32_MAX), 1, INT32_MAX, true},  // sized from the file, not the count
      {std::string(2, '\1'), 0, 0, false},                    // shorter than the count field
  };
  for (const auto& c : cases) {
    Keys keys;  // no room to spare: a key written past the whole ones breaks the heap
    TrackFileReport report;
    ASSERT_TRUE(readTrackFile(dir.write("damaged.track", c.bytes).string(), keys, &report));
    EXPECT_EQ(keys.size(), c.keys) << c.announced;
    EXPECT_EQ(report.announcedCount, c.announced);
    EXPECT_EQ(report.countFieldComplete, c.countComplete);
  }
  Keys keys(5);
  EXPECT_FALSE(readTrackFile((dir.path() / "none.track").string(), keys));
  EXPECT_FALSE(readTrackFile(dir.path().string(), keys));  // not a regular file
  // A sparse file as long as its huge count claims is refused, not read into memory.
  const auto sparse = dir.write("sparse.track", trackBytes({{7, 9.0f, 0}}, INT32_MAX));
  std::filesystem::resize_file(sparse, std::uintmax_t{64} << 30);
  EXPECT_FALSE(readTrackFile(sparse.string(), keys));
  EXPECT_EQ(errno, EFBIG);
  EXPECT_TRUE(keys.empty());
}

TEST(SyncDevice, ReadsEachTrackOnceFromItsPathOfAnyLength) {
  // Far beyond 260 characters in all; each file name part stays within the file system's.
  TempDir dir;
  const std::string longName(200, 'n'), deep = std::string(200, 'd') + "/" + std::string(200, 'e');
  const std::string base = (dir.path() / deep / "sync").string();
  dir.write(deep + "/sync_fov.track", trackBytes({{0, 60.0f, 0}}));
  dir.write(deep + "/sync_" + longName + ".track", trackBytes({{0, 3.0f, 0}}));
  auto device = SyncDevice::create(base);
  ASSERT_TRUE(device);
  EXPECT_EQ(device->trackPath("cam.shake.x"), base + "_cam.shake.x.track");
  EXPECT_EQ(device->getTrack(longName)->valueAt(0.0), 3.0);
  const SyncTrack* fov = device->getTrack("fov");
  EXPECT_EQ(fov->valueAt(3.0), 60.0);

  // A changed file has no effect: the second request neither re-reads nor re-creates.
  dir.write(deep + "/sync_fov.track", trackBytes({{0, 90.0f, 0}}));
  EXPECT_EQ(device->getTrack("fov"), fov);
  EXPECT_EQ(fov->valueAt(3.0), 60.0);
  EXPECT_EQ(device->trackCount(), 2);

  // Names compare exactly; missing files give silent, empty tracks (Windows finds file
  // names in any case, so there "FOV" reads fov's file).
  const SyncTrack* upper = device->getTrack("FOV");
  EXPECT_NE(upper, fov);
#ifndef _WIN32
  EXPECT_TRUE(upper->keys.empty());
#endif
  EXPECT_EQ(device->trackCount(), 3);

  // Author mode re-reads one track in place; a file that cannot be read keeps the keys.
  EXPECT_TRUE(device->reloadTrack("fov"));
  EXPECT_EQ(fov->valueAt(3.0), 90.0);
  EXPECT_EQ(device->getTrack(longName)->valueAt(0.0), 3.0);
  std::filesystem::remove(dir.path() / deep / "sync_fov.track");
  EXPECT_FALSE(device->reloadTrack("fov"));
  EXPECT_EQ(fov->valueAt(3.0), 90.0);
  EXPECT_FALSE(device->reloadTrack("never.requested"));
}

}  // namespace
}  // namespace quintaval
