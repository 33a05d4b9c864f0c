#include "assets/file_watcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <thread>

#include "core/error_report.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

using namespace std::chrono_literals;

const char kCannotWatch[] = "Failed to open directory - Program will not see any file changes!";

// Waits until `name` was recorded at least once (up to a generous limit: a loaded
// machine may be slow, a correct watcher is not).
bool recorded(const FileWatcher& watcher, const std::string& name) {
  for (auto deadline = std::chrono::steady_clock::now() + 10s;
       std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(10ms)) {
    std::vector<std::string> files = watcher.changedFiles();
    if (std::find(files.begin(), files.end(), name) != files.end()) return true;
  }
  return false;
}

void writeFile(const std::filesystem::path& file, const std::string& contents) {
  std::ofstream(file, std::ios::binary) << contents;
}

class FileWatcherTest : public ::testing::Test {
 protected:
  testing::RecordingReporter reporter_;
  testing::TempDir dir_;
  testing::ScopedWorkingDirectory cwd_{dir_.path()};
};

TEST_F(FileWatcherTest, RecordsWrittenFilesByNameInAnySubdirectory) {
  dir_.write("Data/Shaders/Model.frag", "void main() {}\n");
  FileWatcher watcher;
  watcher.start();
  ASSERT_EQ(watcher.waitUntilStarted(10s), FileWatcher::State::watching);
  EXPECT_EQ(watcher.directory(), (dir_.path() / "Data").string());

  writeFile(dir_.path() / "Data/Shaders/Model.frag", "void main() { }\n");
  EXPECT_TRUE(recorded(watcher, "Model.frag"));

  // A directory made after the start, written into at once.
  std::filesystem::create_directories(dir_.path() / "Data/Textures/Music/Deeper");
  writeFile(dir_.path() / "Data/Textures/Music/Deeper/frame01.png", "png");
  EXPECT_TRUE(recorded(watcher, "frame01.png"));
  writeFile(dir_.path() / "Data/Textures/Music/frame02.png", "png");
  EXPECT_TRUE(recorded(watcher, "frame02.png"));

  for (const std::string& name : watcher.changedFiles()) {
    EXPECT_EQ(name.find('/'), std::string::npos) << name;
    EXPECT_NE(name, "Music");  // directories themselves are not recorded
  }
  auto before = std::chrono::steady_clock::now();
  watcher.stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
  EXPECT_EQ(watcher.state(), FileWatcher::State::stopped);
  deliverQueuedErrors();
  EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(FileWatcherTest, MissingDataDirectoryIsReportedOnceAndWatchingEnds) {
  FileWatcher watcher;
  watcher.start();
  EXPECT_EQ(watcher.waitUntilStarted(10s), FileWatcher::State::failed);
  watcher.stop();
  deliverQueuedErrors();
  EXPECT_EQ(reporter_.messages(), std::vector<std::string>{kCannotWatch});

  // Data appearing later is not picked up: the watcher has given up.
  dir_.write("Data/late.txt", "x");
  EXPECT_TRUE(watcher.changedFiles().empty());
  deliverQueuedErrors();
  EXPECT_EQ(reporter_.messages().size(), 1u);
}

TEST_F(FileWatcherTest, SeveralWatchersEachSeeChangesAndStopIndependently) {
  std::filesystem::create_directories(dir_.path() / "Data");
  FileWatcher first, second;
  first.start();
  second.start();
  ASSERT_EQ(first.waitUntilStarted(10s), FileWatcher::State::watching);
  ASSERT_EQ(second.waitUntilStarted(10s), FileWatcher::State::watching);
  writeFile(dir_.path() / "Data/Text.txt", "hello");
  EXPECT_TRUE(recorded(first, "Text.txt"));
  EXPECT_TRUE(recorded(second, "Text.txt"));

  first.stop();
  writeFile(dir_.path() / "Data/After.txt", "x");
  EXPECT_TRUE(recorded(second, "After.txt"));
  std::vector<std::string> stopped = first.changedFiles();
  EXPECT_EQ(std::count(stopped.begin(), stopped.end(), "After.txt"), 0);
  // A watcher never started stops at once, and the destructor joins a running one.
  FileWatcher idle;
  idle.stop();
  EXPECT_EQ(idle.state(), FileWatcher::State::notStarted);
}

TEST_F(FileWatcherTest, ManyChangesAtOnceDoNotEndTheWatching) {
  std::filesystem::create_directories(dir_.path() / "Data/Burst");
  FileWatcher watcher;
  watcher.start();
  ASSERT_EQ(watcher.waitUntilStarted(10s), FileWatcher::State::watching);
  // More events than one read buffer holds.
  for (int i = 0; i < 2000; ++i) {
    writeFile(dir_.path() / ("Data/Burst/file_with_a_longish_name_" + std::to_string(i) + ".txt"), "x");
  }
  EXPECT_TRUE(recorded(watcher, "file_with_a_longish_name_1999.txt"));
  writeFile(dir_.path() / "Data/Burst/last.txt", "x");
  EXPECT_TRUE(recorded(watcher, "last.txt"));
  EXPECT_EQ(watcher.state(), FileWatcher::State::watching);
}

}  // namespace
}  // namespace quintaval
