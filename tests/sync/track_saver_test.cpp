// Saves of edited tracks on real files: what a save writes, what an interrupted one
// leaves, and the recovery file.
#include "sync/track_saver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "../support/temp_dir.h"
#include "sync/track_file.h"
#include "textio/text_file.h"

namespace quintaval {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

const std::vector<SyncKey> kOld = {{0, 1.0f, kSyncStep}};
const std::vector<SyncKey> kNew = {{0, 1.0f, kSyncStep}, {561, 2.0f, kSyncLinear}};

std::vector<SyncKey> keysIn(const fs::path& file) {
  std::vector<SyncKey> keys;
  readTrackFile(file.string(), keys);
  return keys;
}

std::string textOf(const fs::path& file) {
  std::string text;
  readWholeFile(file.string(), text);
  return text;
}

size_t filesIn(const fs::path& dir) { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {})); }

struct SaverFixture : ::testing::Test {
  TempDir dir;
  fs::path rocket = dir.path() / "Rocket";
  fs::path sheet = dir.path() / "demo.sync";
  TrackSaver saver{(rocket / "sync").string(), sheet.string()};

  void SetUp() override {
    fs::create_directories(rocket);
    ASSERT_TRUE(writeTrackFile((rocket / "sync_a.track").string(), kOld));
    dir.write("demo.sync", "# mine\ntrack a\n0 1 step # first\n");
  }
};

TEST_F(SaverFixture, ASaveWritesTheTracksAndTheSheetAndKnowsItsOwnFiles) {
  std::string error;
  ASSERT_TRUE(saver.writeRecovery({{"a", kNew, 0, {}}}, error)) << error;
  TrackSaver::Batch batch;
  ASSERT_TRUE(saver.stage({{"a", kNew, 0, {}}, {"b", kNew, 0, {}}}, batch, error)) << error;
  EXPECT_TRUE(batch.sheetProblem().empty());
  ASSERT_TRUE(saver.commit(batch, error)) << error;
  EXPECT_TRUE(sameKeys(keysIn(rocket / "sync_a.track"), kNew));
  EXPECT_TRUE(sameKeys(keysIn(rocket / "sync_b.track"), kNew));
  EXPECT_EQ(textOf(sheet), "# mine\ntrack a\n0 1 step # first\n561 2 linear\n\ntrack b\n"
                           "0           1                step\n561         2                linear\n");
  EXPECT_FALSE(fs::exists(saver.recoveryPath()));  // a save leaves no recovery behind
  EXPECT_EQ(filesIn(rocket), 2u);

  EXPECT_TRUE(saver.holdsOwnSave("a"));
  ASSERT_TRUE(writeTrackFile((rocket / "sync_a.track").string(), kOld));  // another program's save
  EXPECT_FALSE(saver.holdsOwnSave("a"));
  EXPECT_FALSE(saver.holdsOwnSave("c"));
}

TEST_F(SaverFixture, AnInterruptedSaveLeavesTheOldFiles) {
  std::string error;
  {
    TrackSaver::Batch batch;
    ASSERT_TRUE(saver.stage({{"a", kNew, 0, {}}}, batch, error));
    EXPECT_EQ(filesIn(rocket), 2u);  // the new file beside the old one
  }  // gone before its rename
  EXPECT_TRUE(sameKeys(keysIn(rocket / "sync_a.track"), kOld));
  EXPECT_EQ(filesIn(rocket), 1u);
  EXPECT_EQ(textOf(sheet), "# mine\ntrack a\n0 1 step # first\n");

  // A track that cannot be written stops the whole save before any rename.
  TrackSaver::Batch batch;
  EXPECT_FALSE(saver.stage({{"a", kNew, 0, {}}, {"no/such", kNew, 0, {}}}, batch, error));
  EXPECT_THAT(error, ::testing::EndsWith("sync_no/such.track: No such file or directory"));
  EXPECT_EQ(filesIn(rocket), 1u);
  EXPECT_TRUE(sameKeys(keysIn(rocket / "sync_a.track"), kOld));
}

TEST_F(SaverFixture, ASheetWithErrorsIsLeftAloneButTheTracksAreSaved) {
  dir.write("demo.sync", "track a\n0 one step\n");
  std::string error;
  TrackSaver::Batch batch;
  ASSERT_TRUE(saver.stage({{"a", kNew, 0, {}}}, batch, error));
  EXPECT_EQ(batch.sheetProblem(), sheet.string() + ": line 2: value \"one\" is not a number in float range");
  ASSERT_TRUE(saver.commit(batch, error));
  EXPECT_TRUE(sameKeys(keysIn(rocket / "sync_a.track"), kNew));
  EXPECT_EQ(textOf(sheet), "track a\n0 one step\n");
}

TEST_F(SaverFixture, TheRecoveryIsOfferedOnlyWhileNewerThanTheTracks) {
  const std::vector<std::string> tracks = {(rocket / "sync_a.track").string(), (rocket / "sync_gone.track").string()};
  EXPECT_EQ(readRecovery(saver.recoveryPath(), tracks).state, Recovery::State::kNone);
  std::string error;
  ASSERT_TRUE(saver.writeRecovery({{"a", kNew, 0, {}}}, error)) << error;
  // File times are set here: some systems keep them to the second only.
  const auto written = fs::last_write_time(saver.recoveryPath());
  fs::last_write_time(tracks[0], written - std::chrono::seconds(5));
  Recovery recovery = readRecovery(saver.recoveryPath(), tracks);
  ASSERT_EQ(recovery.state, Recovery::State::kOffered);
  ASSERT_EQ(recovery.tracks.size(), 1u);
  EXPECT_EQ(recovery.tracks[0].name, "a");
  EXPECT_TRUE(sameKeys(recovery.tracks[0].keys, kNew));

  fs::last_write_time(tracks[0], written + std::chrono::seconds(5));  // saved by another program since
  EXPECT_EQ(readRecovery(saver.recoveryPath(), tracks).state, Recovery::State::kOlder);

  dir.write("Rocket/recovery.sync", "track a\n0 1\n");
  recovery = readRecovery(saver.recoveryPath(), {});
  EXPECT_EQ(recovery.state, Recovery::State::kDamaged);
  EXPECT_EQ(recovery.why, "line 2: expected \"ROW VALUE INTERPOLATION\" or \"track NAME\"");

  ASSERT_TRUE(saver.writeRecovery({}, error));  // nothing unsaved: no recovery
  EXPECT_FALSE(fs::exists(saver.recoveryPath()));
}

}  // namespace
}  // namespace quintaval
