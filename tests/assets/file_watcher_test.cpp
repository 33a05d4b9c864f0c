#include "assets/file_watcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "core/error_report.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

using namespace std::chrono_literals;

// Waits until `name` was recorded (up to a generous limit: a loaded machine may be slow,
// a correct watcher is not).
bool recorded(const FileWatcher& watcher, const std::string& name) {
  for (auto deadline = std::chrono::steady_clock::now() + 10s;
       std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(10ms)) {
    std::vector<std::string> files = watcher.changedFiles();
    if (std::find(files.begin(), files.end(), name) != files.end()) return true;
  }
  return false;
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
  dir_.write("Data/Shaders/Model.frag", "void main() { }\n");
  EXPECT_TRUE(recorded(watcher, "Model.frag"));
  // Directories made after the start, written into at once.
  dir_.write("Data/Textures/Music/Deeper/frame01.png", "png");
  EXPECT_TRUE(recorded(watcher, "frame01.png"));
  for (const std::string& name : watcher.changedFiles()) {
    EXPECT_TRUE(name == "Model.frag" || name == "frame01.png") << name;
  }

  auto before = std::chrono::steady_clock::now();
  watcher.stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
  EXPECT_EQ(watcher.state(), FileWatcher::State::stopped);
  deliverQueuedErrors();
  EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(FileWatcherTest, MissingDataDirectoryIsReportedOnce) {
  FileWatcher watcher;
  watcher.start();
  EXPECT_EQ(watcher.waitUntilStarted(10s), FileWatcher::State::failed);
  watcher.stop();
  deliverQueuedErrors();
  deliverQueuedErrors();
  EXPECT_EQ(reporter_.messages(),
            std::vector<std::string>{"Failed to open directory - Program will not see any file changes!"});
}

TEST_F(FileWatcherTest, SeveralWatchersStopIndependently) {
  std::filesystem::create_directories(dir_.path() / "Data");
  FileWatcher first, second;
  first.start();
  second.start();
  ASSERT_EQ(first.waitUntilStarted(10s), FileWatcher::State::watching);
  ASSERT_EQ(second.waitUntilStarted(10s), FileWatcher::State::watching);
  first.stop();
  dir_.write("Data/After.txt", "x");
  EXPECT_TRUE(recorded(second, "After.txt"));
  EXPECT_TRUE(first.changedFiles().empty());
}  // second is stopped and joined by its destructor

}  // namespace
}  // namespace quintaval
