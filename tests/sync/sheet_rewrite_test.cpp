// Rewriting the author's sheet on a save: only the saved tracks' key lines change.
#include "sync/sheet_rewrite.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "textio/text_file.h"

namespace quintaval {
namespace {

const char* const kSheet =
    "# The intro.\n"
    "\n"
    "track scene.num   # which scene\n"
    "0      1        step      # pictures\n"
    "# the cut\n"
    "224    3        step      # 3D\n"
    "448    2        linear\n"
    "\n"
    "track fov\n"
    "0      60       step\n";

TEST(SheetRewrite, ChangesOnlyTheKeyLinesOfSavedTracks) {
  std::string out, error;
  ASSERT_TRUE(rewriteSheet(kSheet,
                           {{"scene.num",
                             {{0, 1.0f, kSyncStep},        // unchanged: the whole line stays
                              {100, 2.5f, kSyncStep},      // new: in the block's columns
                              {224, 3.0f, kSyncLinear},    // only the interpolation: keeps its comment
                              {500, 4.0f, kSyncStep}},     // 448 gone, 500 new after the last
                             0,
                             {}},
                            {"curve.start", {{7, 0.25f, kSyncSmooth}}, 0, {}}},  // not in the sheet
                           out, error))
      << error;
  EXPECT_EQ(out,
            "# The intro.\n"
            "\n"
            "track scene.num   # which scene\n"
            "0      1        step      # pictures\n"
            "100    2.5      step\n"
            "# the cut\n"
            "224    3        linear    # 3D\n"
            "500    4        step\n"
            "\n"
            "track fov\n"
            "0      60       step\n"
            "\n"
            "track curve.start\n"
            "7           0.25             smooth\n");
}

TEST(SheetRewrite, KeepsLineBreaksAndRefusesASheetWithErrors) {
  std::string out, error;
  ASSERT_TRUE(rewriteSheet("track a\r\n0 1 step\r\n# end", {{"a", {{0, 1.0f, 0}, {3, 2.0f, 0}}, 0, {}}}, out, error));
  EXPECT_EQ(out, "track a\r\n0 1 step\r\n3 2 step\r\n# end");
  ASSERT_TRUE(rewriteSheet("track a", {{"a", {{1, 1.0f, 0}}, 0, {}}}, out, error));
  EXPECT_EQ(out, "track a\n1           1                step\n");

  out = "untouched";
  EXPECT_FALSE(rewriteSheet("track a\n0 x step\n", {{"a", {}, 0, {}}}, out, error));
  EXPECT_EQ(error, "line 2: value \"x\" is not a number in float range");
  EXPECT_FALSE(rewriteSheet("track a\n", {{"b c", {}, 0, {}}}, out, error));
  EXPECT_EQ(out, "untouched");
}

// The sample sheet, with a key typed into one track: the result compiles to the tracks
// saved, and a save of unchanged tracks gives back the sheet byte for byte.
TEST(SheetRewrite, TheSampleSheetReadsBackAsSaved) {
  std::string text;
  ASSERT_TRUE(readWholeFile(std::string(std::getenv("QV_SOURCE_DIR")) + "/data/sync/demo.sync", text));
  TrackSheet sheet = parseTrackSheet(text);
  ASSERT_FALSE(sheet.failed());
  std::string same, error;
  ASSERT_TRUE(rewriteSheet(text, sheet.tracks, same, error)) << error;
  EXPECT_EQ(same, text);

  std::vector<SyncKey>& scenes = sheet.tracks[0].keys;
  scenes.insert(scenes.begin() + 2, {561, 1.0f, kSyncStep});
  std::string edited;
  ASSERT_TRUE(rewriteSheet(text, {sheet.tracks[0]}, edited, error)) << error;
  const TrackSheet read = parseTrackSheet(edited);
  ASSERT_EQ(read.tracks.size(), sheet.tracks.size());
  for (size_t i = 0; i < read.tracks.size(); ++i) EXPECT_TRUE(sameKeys(read.tracks[i].keys, sheet.tracks[i].keys));
  EXPECT_EQ(edited.size(), text.size() + std::string("561    1        step\n").size());
}

}  // namespace
}  // namespace quintaval
