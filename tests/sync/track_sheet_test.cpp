// The track sheet: what authors write, the errors and warnings they get, and the exact
// round trip between sheets and track files.
#include "sync/track_sheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "sync/track_file.h"

namespace quintaval {
namespace {

using ::testing::ElementsAre;
using ::testing::FieldsAre;

std::vector<int> linesOf(const std::vector<SheetMessage>& messages) {
  std::vector<int> lines;
  for (const SheetMessage& message : messages) lines.push_back(message.line);
  return lines;
}

TEST(TrackSheet, ReadsBlocksKeysAndCommentsAndWarnsAboutRawTypesAndRowsOutOfOrder) {
  const TrackSheet sheet = parseTrackSheet(
      "# intro\n"
      "\n"
      "track scene.num   # the scene\n"
      "0      1      step\n"
      "112\t2      linear\r\n"
      "224    2.5    smooth\n"
      "track cam.shake.x\n"
      "-5 -1e-3 ramp\n"
      "7 0.5 -3\n"      // 9: a raw type
      "7 1 step\n"      // 10: the same row again
      "-6 0 step\n"     // 11: a lower row
      "track empty");
  ASSERT_FALSE(sheet.failed()) << sheet.errors[0].text;
  ASSERT_EQ(sheet.tracks.size(), 3u);
  EXPECT_EQ(sheet.tracks[0].name, "scene.num");
  EXPECT_EQ(sheet.tracks[0].line, 3);
  EXPECT_THAT(sheet.tracks[0].keys, ElementsAre(FieldsAre(0, 1.0f, kSyncStep), FieldsAre(112, 2.0f, kSyncLinear),
                                                FieldsAre(224, 2.5f, kSyncSmooth)));
  EXPECT_THAT(sheet.tracks[1].keys, ElementsAre(FieldsAre(-5, -1e-3f, kSyncRamp), FieldsAre(7, 0.5f, -3),
                                                FieldsAre(7, 1.0f, kSyncStep), FieldsAre(-6, 0.0f, kSyncStep)));
  EXPECT_TRUE(sheet.tracks[2].keys.empty());
  EXPECT_EQ(linesOf(sheet.warnings), (std::vector<int>{9, 10, 11}));
}

TEST(TrackSheet, ReportsEveryErrorWithItsLine) {
  const TrackSheet sheet = parseTrackSheet(
      "1 2 step\n"               // 1: before any track
      "track a\n"
      "1.5 2 step\n"             // 3: fractional row
      "1 2,5 step\n"             // 4: decimal comma
      "2 1 lin\n"                // 5: unknown interpolation
      "3 1 128\n"                // 6: type out of byte range
      "4 1e39 step\n"            // 7: beyond float
      "5 1 step extra\n"         // 8: extra token
      "track\n"                  // 9: no name
      "track a\n"                // 10: twice
      "track x/y\n"              // 11: not a file name
      "99999999999 1 step\n"     // 12: row beyond int32
      "+6 1 step\n"              // 13: a '+' is not part of a number here
      "7 1e-50 step\n"           // 14: below the smallest float
      "8 NAN +1\n"               // 15: NAN reads, +1 does not
      "9 nanny step\n");         // 16: only the sheet's own NaN spellings
  EXPECT_EQ(linesOf(sheet.errors), (std::vector<int>{1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
  EXPECT_NE(sheet.errors[3].text.find("\"lin\""), std::string::npos);
}

TEST(TrackSheet, FormattedTracksParseBackToTheSameFileBytes) {
  // Every kind of float bit for bit, and the extreme rows and type bytes.
  const std::uint32_t patterns[] = {
      0x00000000u, 0x80000000u,  // +0, -0
      0x00000001u, 0x807fffffu,  // smallest subnormal, largest negative subnormal
      0x3f800001u, 0x7f7fffffu,  // 1 + ulp, largest finite
      0x3dcccccdu,               // 0.1f
      0x7f800000u, 0xff800000u,  // infinities
      0x7fc00000u, 0xffc00000u,  // the plain NaNs
      0x7fa00001u,               // a NaN with a payload
  };
  const int rows[] = {INT_MIN, -1, 0, 112, INT_MAX}, types[] = {-128, 0, 1, 2, 3, 127};
  std::vector<SyncKey> keys;
  for (size_t i = 0; i < std::size(patterns); ++i) {
    keys.push_back({rows[i % 5], 0.0f, types[i % 6]});
    std::memcpy(&keys.back().value, &patterns[i], 4);
  }
  const TrackSheet sheet = parseTrackSheet(formatSheetTrack("cam.shake.x", keys));
  ASSERT_FALSE(sheet.failed()) << sheet.errors[0].text;
  ASSERT_EQ(sheet.tracks.size(), 1u);
  EXPECT_EQ(sheet.tracks[0].name, "cam.shake.x");
  std::string original, again;
  ASSERT_TRUE(encodeTrackFile(keys, original));
  ASSERT_TRUE(encodeTrackFile(sheet.tracks[0].keys, again));
  EXPECT_EQ(again, original);
  EXPECT_EQ(formatSheetValue(2.5f), "2.5");
  EXPECT_EQ(formatSheetValue(0.1f), "0.100000001");  // %.9g
}

TEST(TrackSheet, NameCheckAcceptsExactlyTheNamesThatReadBack) {
  const struct {
    std::string name;
    bool readsBack;
  } cases[] = {
      {"cam.shake.x", true}, {"a\vb", true}, {"track", true}, {"", false},  {"a b", false},
      {"a\tb", false},      {"a\rb", false}, {"a\nb", false},  {"x#y", false}, {"#", false},
  };
  for (const auto& c : cases) {
    const TrackSheet sheet = parseTrackSheet(formatSheetTrack(c.name, {{0, 1.0f, kSyncStep}}));
    const bool back = !sheet.failed() && sheet.tracks.size() == 1 && sheet.tracks[0].name == c.name &&
                      sheet.tracks[0].keys.size() == 1;
    EXPECT_EQ(back, c.readsBack) << c.name;
    EXPECT_EQ(isSheetTrackName(c.name), c.readsBack) << c.name;
  }
}

}  // namespace
}  // namespace quintaval
