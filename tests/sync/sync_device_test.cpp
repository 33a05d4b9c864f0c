// Track files as the player reads them, and evaluation at the rows that catch faults:
// exact hits, outside the keys, floored negative rows, each interpolation, and damaged
// files.
#include "sync/sync_device.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "support/temp_dir.h"
#include "sync/track_file.h"

namespace quintaval {
namespace {

using testing::TempDir;

// The file bytes written out by hand, independent of the library's writer.
class TrackBytes {
 public:
  explicit TrackBytes(std::int32_t count) { put32(static_cast<std::uint32_t>(count)); }
  TrackBytes& key(std::int32_t row, float value, std::int8_t type) {
    put32(static_cast<std::uint32_t>(row));
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    put32(bits);
    bytes_.push_back(static_cast<char>(type));
    return *this;
  }
  std::string bytes() const { return bytes_; }

 private:
  void put32(std::uint32_t u) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<char>(u >> (8 * i)));
  }
  std::string bytes_;
};

SyncTrack trackOf(std::vector<SyncKey> keys) { return SyncTrack{"t", std::move(keys)}; }

TEST(SyncTrack, EmptyAndSingleKeyTracks) {
  const SyncTrack empty = trackOf({});
  EXPECT_EQ(empty.valueAt(0.0), 0.0);
  EXPECT_EQ(empty.valueAt(-7.5), 0.0);
  const SyncTrack one = trackOf({{10, 4.5f, kSyncLinear}});
  for (double row : {-100.0, 9.99, 10.0, 10.5, 1e9}) EXPECT_EQ(one.valueAt(row), 4.5) << row;
}

TEST(SyncTrack, OutsideTheKeysHoldsTheEndValues) {
  const SyncTrack track = trackOf({{10, 1.0f, kSyncLinear}, {20, 3.0f, kSyncLinear}});
  EXPECT_EQ(track.valueAt(0.0), 1.0);
  EXPECT_EQ(track.valueAt(9.999), 1.0);
  EXPECT_EQ(track.valueAt(20.0), 3.0);
  EXPECT_EQ(track.valueAt(25.5), 3.0);
  EXPECT_EQ(track.valueAt(1e12), 3.0);  // far outside the int range
  EXPECT_EQ(track.valueAt(-1e12), 1.0);
  EXPECT_EQ(track.valueAt(std::nan("")), 1.0);
}

TEST(SyncTrack, ExactKeyRowGivesThatKeysValueForEveryType) {
  for (int type : {kSyncStep, kSyncLinear, kSyncSmooth, kSyncRamp}) {
    const SyncTrack track =
        trackOf({{0, 1.0f, type}, {10, -2.0f, type}, {20, 7.0f, type}, {30, 0.0f, type}});
    EXPECT_EQ(track.valueAt(10.0), -2.0) << type;
    EXPECT_EQ(track.valueAt(20.0), 7.0) << type;
  }
}

TEST(SyncTrack, FourInterpolationsUseTheUnflooredRow) {
  // Segment 0..8 from 1 to 5; at row 2.5, t = 0.3125 (the floor would give 0.25).
  const double t = 2.5 / 8.0;
  auto at = [](int type, double row) {
    return trackOf({{0, 1.0f, type}, {8, 5.0f, kSyncStep}}).valueAt(row);
  };
  EXPECT_EQ(at(kSyncStep, 2.5), 1.0);
  EXPECT_EQ(at(kSyncStep, 7.99), 1.0);
  EXPECT_DOUBLE_EQ(at(kSyncLinear, 2.5), 1.0 + 4.0 * t);
  EXPECT_DOUBLE_EQ(at(kSyncSmooth, 2.5), 1.0 + 4.0 * t * t * (3.0 - 2.0 * t));
  EXPECT_DOUBLE_EQ(at(kSyncRamp, 2.5), 1.0 + 4.0 * std::pow(t, 2.0));
  // Smooth and ramp meet the next key; the midpoint of smooth is the midpoint.
  EXPECT_DOUBLE_EQ(at(kSyncSmooth, 4.0), 3.0);
  EXPECT_DOUBLE_EQ(at(kSyncRamp, 4.0), 2.0);
  EXPECT_NEAR(at(kSyncRamp, 7.999999), 5.0, 1e-5);
}

TEST(SyncTrack, EvaluatesInDoublePrecision) {
  // A float result would lose the low bits of this slope.
  const SyncTrack track = trackOf({{0, 0.0f, kSyncLinear}, {3, 1.0f, kSyncLinear}});
  EXPECT_EQ(track.valueAt(1.0), 1.0 / 3.0);
}

TEST(SyncTrack, NegativeFractionalRowsAreFloored) {
  // -1.5 floors to -2, before the first key; truncation would give -1 and extrapolate.
  const SyncTrack track =
      trackOf({{-1, 10.0f, kSyncLinear}, {1, 20.0f, kSyncLinear}, {3, 0.0f, kSyncStep}});
  EXPECT_DOUBLE_EQ(track.valueAt(-0.5), 12.5);
  EXPECT_EQ(track.valueAt(-1.5), 10.0);
  const SyncTrack startsAtZero = trackOf({{0, 4.0f, kSyncLinear}, {2, 8.0f, kSyncLinear}});
  EXPECT_EQ(startsAtZero.valueAt(-0.5), 4.0);  // truncation towards 0 would interpolate
  EXPECT_EQ(findKey(startsAtZero.keys, std::floor(-0.5)), -1);
}

TEST(SyncTrack, UnknownTypesEvaluateToZeroOverTheirSegmentOnly) {
  const SyncTrack track =
      trackOf({{0, 5.0f, 4}, {10, 6.0f, -1}, {20, 7.0f, kSyncLinear}, {30, 9.0f, kSyncStep}});
  EXPECT_EQ(track.valueAt(0.0), 0.0);
  EXPECT_EQ(track.valueAt(5.0), 0.0);
  EXPECT_EQ(track.valueAt(15.0), 0.0);
  EXPECT_EQ(track.valueAt(25.0), 8.0);
  EXPECT_EQ(track.valueAt(30.0), 9.0);
}

TEST(SyncTrack, RepeatedRowsDoNotDivideByZero) {
  const SyncTrack track =
      trackOf({{0, 1.0f, kSyncLinear}, {5, 2.0f, kSyncLinear}, {5, 3.0f, kSyncLinear},
               {10, 4.0f, kSyncLinear}});
  for (double row = 0.0; row <= 10.0; row += 0.25) {
    EXPECT_TRUE(std::isfinite(track.valueAt(row))) << row;
  }
}

TEST(TrackFile, ReadsTheLittleEndianLayout) {
  TempDir dir;
  const auto path = dir.write(
      "sync_a.track",
      TrackBytes(3).key(0, 1.5f, 0).key(-300, -2.25f, 3).key(70000, 1e-3f, -128).bytes());
  std::vector<SyncKey> keys;
  ASSERT_TRUE(readTrackFile(path.string(), keys));
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[1].row, -300);
  EXPECT_EQ(keys[1].value, -2.25f);
  EXPECT_EQ(keys[1].type, 3);
  EXPECT_EQ(keys[2].row, 70000);
  EXPECT_EQ(keys[2].value, 1e-3f);
  EXPECT_EQ(keys[2].type, -128);  // sign-extended
}

TEST(TrackFile, DamagedFilesKeepOnlyWholeKeys) {
  TempDir dir;
  std::vector<SyncKey> keys;
  TrackFileReport report;

  // Truncated in the middle of the third key.
  std::string bytes = TrackBytes(3).key(0, 1.0f, 1).key(10, 2.0f, 1).key(20, 3.0f, 1).bytes();
  bytes.resize(bytes.size() - 4);
  ASSERT_TRUE(readTrackFile(dir.write("cut.track", bytes).string(), keys, &report));
  EXPECT_EQ(keys.size(), 2u);
  EXPECT_EQ(report.announcedCount, 3);

  // A negative count means no keys.
  ASSERT_TRUE(readTrackFile(dir.write("neg.track", TrackBytes(-5).key(0, 1.0f, 0).bytes()).string(),
                            keys, &report));
  EXPECT_TRUE(keys.empty());

  // A huge count with one key behind it: sized from the file, not from the count.
  ASSERT_TRUE(readTrackFile(
      dir.write("huge.track", TrackBytes(INT32_MAX).key(7, 9.0f, 0).bytes()).string(), keys));
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].row, 7);

  // Shorter than the count field.
  ASSERT_TRUE(readTrackFile(dir.write("short.track", "\x01\x00").string(), keys, &report));
  EXPECT_TRUE(keys.empty());
  EXPECT_FALSE(report.countFieldComplete);

  EXPECT_FALSE(readTrackFile((dir.path() / "none.track").string(), keys));
  EXPECT_TRUE(keys.empty());

  // A sparse file as long as its huge count claims is refused, not read into memory.
  const std::filesystem::path sparse = dir.write("sparse.track", TrackBytes(INT32_MAX).key(7, 9.0f, 0).bytes());
  std::filesystem::resize_file(sparse, std::uintmax_t{64} << 30);
  EXPECT_FALSE(readTrackFile(sparse.string(), keys));
  EXPECT_EQ(errno, EFBIG);
  EXPECT_TRUE(keys.empty());
}

TEST(TrackFile, WriterProducesTheReadersLayoutAndRefusesUnstorableTypes) {
  TempDir dir;
  const std::vector<SyncKey> keys = {{0, 1.5f, 0}, {-300, -2.25f, 3}, {70000, 1e-3f, -128}};
  const std::string path = (dir.path() / "w.track").string();
  ASSERT_TRUE(writeTrackFile(path, keys));
  std::string bytes;
  ASSERT_TRUE(encodeTrackFile(keys, bytes));
  EXPECT_EQ(bytes, TrackBytes(3).key(0, 1.5f, 0).key(-300, -2.25f, 3).key(70000, 1e-3f, -128).bytes());
  EXPECT_EQ(std::filesystem::file_size(path), bytes.size());
  // Only the file itself is left, no temporary.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_FALSE(writeTrackFile(path, {{0, 1.0f, 200}}));
  EXPECT_EQ(std::filesystem::file_size(path), bytes.size());  // untouched
  EXPECT_FALSE(writeTrackFile((dir.path() / "no" / "such" / "dir.track").string(), keys));
}

TEST(SyncDevice, ReadsEachTrackOnceFromItsPath) {
  TempDir dir;
  const std::string base = (dir.path() / "sync").string();
  dir.write("sync_fov.track", TrackBytes(1).key(0, 60.0f, 0).bytes());
  dir.write("sync_cam.shake.x.track", TrackBytes(1).key(0, 0.25f, 0).bytes());
  auto device = SyncDevice::create(base);
  ASSERT_TRUE(device);
  EXPECT_EQ(device->trackPath("cam.shake.x"), base + "_cam.shake.x.track");

  const SyncTrack* fov = device->getTrack("fov");
  ASSERT_NE(fov, nullptr);
  EXPECT_EQ(fov->valueAt(3.0), 60.0);
  EXPECT_EQ(device->getTrack("cam.shake.x")->valueAt(0.0), 0.25);

  // A changed file has no effect: the second request neither re-reads nor re-creates.
  dir.write("sync_fov.track", TrackBytes(1).key(0, 90.0f, 0).bytes());
  EXPECT_EQ(device->getTrack("fov"), fov);
  EXPECT_EQ(fov->valueAt(3.0), 60.0);
  EXPECT_EQ(device->trackCount(), 2);

  // Names compare exactly; missing files give silent, empty tracks.
  const SyncTrack* upper = device->getTrack("FOV");
  EXPECT_NE(upper, fov);
  EXPECT_TRUE(upper->keys.empty());
  EXPECT_EQ(upper->valueAt(12.0), 0.0);
  EXPECT_EQ(device->trackCount(), 3);
}

TEST(SyncDevice, PathsOfAnyLength) {
  // Far beyond 260 characters in all; each file name part stays within the file system's.
  TempDir dir;
  const std::string longName(200, 'n');
  const std::string deep = std::string(200, 'd') + "/" + std::string(200, 'e');
  dir.write(deep + "/sync_" + longName + ".track", TrackBytes(1).key(0, 3.0f, 0).bytes());
  auto device = SyncDevice::create((dir.path() / deep / "sync").string());
  ASSERT_GT(device->trackPath(longName).size(), 600u);
  EXPECT_EQ(device->getTrack(longName)->valueAt(0.0), 3.0);
}

}  // namespace
}  // namespace quintaval
