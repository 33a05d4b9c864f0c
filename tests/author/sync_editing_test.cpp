// Sync editing against real track files: the player's own save coming back from the
// watcher, another program's save with and without unsaved edits, and the recovery file
// from one session to the next. The grid's keys drive a transport over a clock without
// music.
#include "author/sync_editing.h"

#include <GLFW/glfw3.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "author/author_log.h"
#include "author/sync_panel.h"
#include "author/transport.h"
#include "platform/audio/audio_output.h"
#include "playback/music_clock.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "sync/sync_device.h"
#include "sync/track_file.h"

namespace quintaval {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Keys = std::vector<SyncKey>;

const Keys kFile = {{0, 1.0f, kSyncStep}};

struct SyncEditingTest : ::testing::Test {
  testing::RecordingReporter reporter{true};
  testing::TempDir dir;
  std::string base = (dir.path() / "sync").string();
  AuthorLog log;

  void SetUp() override {
    ASSERT_TRUE(writeTrackFile(base + "_a.track", kFile));
    ASSERT_TRUE(writeTrackFile(base + "_b.track", kFile));
  }
  std::unique_ptr<SyncDevice> device = SyncDevice::create(base);
  std::unique_ptr<SyncEditing> open() {
    return std::make_unique<SyncEditing>(*device, std::vector<std::string>{"a", "b"}, "", log);
  }
  Keys onDisk(const char* name) {
    Keys keys;
    readTrackFile(base + "_" + name + ".track", keys);
    return keys;
  }
  std::string lastNote() const { return log.entries().back().text; }
};

TEST_F(SyncEditingTest, ItsOwnSaveComesBackAsNothingAndAnotherSaveReloads) {
  auto sync = open();
  sync->editor().setValue(0, 5, 2.0f);
  sync->save();
  EXPECT_EQ(lastNote(), "saved a");
  EXPECT_TRUE(sameKeys(onDisk("a"), device->getTrack("a")->keys));
  const std::uint64_t revision = sync->editor().revision();
  EXPECT_TRUE(sync->trackFileChanged("a"));
  EXPECT_EQ(sync->editor().revision(), revision);
  EXPECT_EQ(lastNote(), "saved a");

  ASSERT_TRUE(writeTrackFile(base + "_a.track", {{0, 7.0f, kSyncLinear}}));  // another program
  EXPECT_TRUE(sync->trackFileChanged("a"));
  EXPECT_EQ(lastNote(), "reloaded track a");
  EXPECT_TRUE(sameKeys(device->getTrack("a")->keys, {{0, 7.0f, kSyncLinear}}));
  EXPECT_FALSE(sync->unsaved());
  EXPECT_FALSE(sync->trackFileChanged("not edited here"));
}

TEST_F(SyncEditingTest, AConflictKeepsTheEdits) {
  auto sync = open();
  sync->editor().setValue(1, 5, 2.0f);
  const Keys edited = device->getTrack("b")->keys;
  ASSERT_TRUE(writeTrackFile(base + "_b.track", {{3, 3.0f, kSyncStep}}));
  EXPECT_TRUE(sync->trackFileChanged("b"));
  EXPECT_TRUE(sameKeys(device->getTrack("b")->keys, edited));
  ASSERT_EQ(reporter.messages().size(), 1u);
  EXPECT_THAT(reporter.messages()[0], HasSubstr("sync_b.track changed on disk while b has unsaved edits"));
  EXPECT_EQ(sync->unsavedNames(), "b");
  sync->save();
  EXPECT_TRUE(sameKeys(onDisk("b"), edited));
}

TEST_F(SyncEditingTest, TheRecoveryOutlivesTheSessionAndIsRestored) {
  Keys edited;
  {
    auto sync = open();
    sync->editor().setValue(0, 9, 4.0f);
    edited = device->getTrack("a")->keys;
    sync->update(10.0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "recovery.sync"));  // not yet a second old
    sync->update(10.0 + SyncEditing::kRecoveryDelaySeconds);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "recovery.sync"));
  }  // ends without a save, as a crash would

  device = SyncDevice::create(base);
  auto sync = open();
  EXPECT_THAT(lastNote(), HasSubstr("unsaved edits of a from an earlier session"));
  EXPECT_TRUE(sameKeys(device->getTrack("a")->keys, kFile));
  sync->restoreRecovery();
  EXPECT_TRUE(sameKeys(device->getTrack("a")->keys, edited));
  EXPECT_EQ(sync->unsavedNames(), "a");
  sync->save();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "recovery.sync"));
}

class HandSetTime : public TimeSource {
 public:
  std::int64_t nowNs() const override { return 1'000'000'000; }
};

// The grid's keys: moving moves the play position, typed digits become a key, a block is
// copied and pasted with its rows kept, Escape gives the keys back.
TEST_F(SyncEditingTest, TheGridTurnsKeysIntoEdits) {
  AudioOutput output;
  HandSetTime time;
  MusicClock clock{output, time};
  clock.start(std::shared_ptr<const DecodedMusic>(), false);
  clock.pause();
  Transport transport{clock};
  auto sync = open();
  SyncPanel panel(sync->editor(), transport, log);
  panel.takeKeys();
  auto press = [&](std::initializer_list<int> keys, int mods = 0) {
    for (int key : keys) EXPECT_TRUE(panel.handleKey(key, mods)) << key;
  };
  press({GLFW_KEY_DOWN, GLFW_KEY_DOWN, GLFW_KEY_MINUS, GLFW_KEY_1, GLFW_KEY_PERIOD, GLFW_KEY_5, GLFW_KEY_ENTER});
  EXPECT_EQ(rowAt(transport.seconds()), 2);
  press({GLFW_KEY_I, GLFW_KEY_UP});
  press({GLFW_KEY_DOWN, GLFW_KEY_RIGHT}, GLFW_MOD_SHIFT);  // rows 1-2 of both tracks
  press({GLFW_KEY_C}, GLFW_MOD_CONTROL);
  press({GLFW_KEY_PAGE_DOWN, GLFW_KEY_LEFT});
  press({GLFW_KEY_V}, GLFW_MOD_CONTROL);
  EXPECT_EQ(rowAt(transport.seconds()), 30);
  const Keys a = device->getTrack("a")->keys;
  EXPECT_TRUE(sameKeys(a, {{0, 1.0f, kSyncStep}, {2, -1.5f, kSyncLinear}, {31, -1.5f, kSyncLinear}})) << a.size();
  EXPECT_FALSE(panel.handleKey(GLFW_KEY_SPACE, 0));  // the transport's
  press({GLFW_KEY_ESCAPE});
  EXPECT_FALSE(panel.hasKeys());

  SyncGrid grid;
  panel.fillGrid(30.0 / 14.0, grid);
  EXPECT_EQ(grid.firstRow, 30 - SyncPanel::kRowsAround);
  const SyncCell& pasted = grid.columns[0].cells[SyncPanel::kRowsAround + 1];
  EXPECT_TRUE(pasted.key);
  EXPECT_EQ(pasted.value, -1.5f);
  EXPECT_FALSE(grid.columns[0].cells[SyncPanel::kRowsAround].key);
  EXPECT_EQ(grid.columns[0].cells[SyncPanel::kRowsAround].value, -1.5f);  // the curve between keys
  EXPECT_EQ(grid.marks[SyncPanel::kRowsAround - 2], RowMark::kBar);      // row 28

  // Found beats put the lines on their nearest rows; every fourth starts a bar, and a
  // beat that shares a row with a bar's leaves it a bar.
  panel.setBeats({0.0, 0.5, 1.0, 1.5, 1.52});  // rows 0, 7, 14, 21, 21
  panel.fillGrid(30.0 / 14.0, grid);            // rows 14 to 46
  EXPECT_EQ(grid.marks[0], RowMark::kBeat);
  EXPECT_EQ(grid.marks[7], RowMark::kBar);
  EXPECT_EQ(grid.marks[14], RowMark::kNone);
}

}  // namespace
}  // namespace quintaval
