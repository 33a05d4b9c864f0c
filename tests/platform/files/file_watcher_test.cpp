// The file watcher: paths recorded from its own thread, each once, until the main thread
// takes them, and a stop that ends the thread at once.
#include "platform/files/file_watcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

using namespace std::chrono_literals;

// Takes changes until `path` has come, for up to 10 s (a loaded machine may be slow, a
// correct watcher is not); everything taken meanwhile is appended to `taken`.
bool arrives(FileWatcher& watcher, const std::string& path, std::vector<std::string>& taken) {
  for (int tries = 0; tries < 2000; ++tries, std::this_thread::sleep_for(5ms)) {
    for (std::string& change : watcher.takeChanges()) taken.push_back(std::move(change));
    if (std::find(taken.begin(), taken.end(), path) != taken.end()) return true;
  }
  return false;
}

TEST(FileWatcher, QueuesPathsBelowTheRootUntilTakenAndStopsAtOnce) {
  testing::TempDir dir;
  FileWatcher watcher;
  EXPECT_FALSE(watcher.start((dir.path() / "Data").string()));  // a missing root
  dir.write("Data/Shaders/Model.frag", "void main() {}\n");
  ASSERT_TRUE(watcher.start((dir.path() / "Data").string()));
  EXPECT_FALSE(watcher.start((dir.path() / "Data").string()));  // already watching

  // Written at once after start(), and in a directory made after it.
  dir.write("Data/Shaders/Model.frag", "void main() { }\n");
  dir.write("Data/Textures/Music/Deeper/frame01.png", "png");
  std::vector<std::string> taken;
  EXPECT_TRUE(arrives(watcher, "Shaders/Model.frag", taken));
  EXPECT_TRUE(arrives(watcher, "Textures/Music/Deeper/frame01.png", taken));
  for (const std::string& path : taken) {
    EXPECT_TRUE(path == "Shaders/Model.frag" || path == "Textures/Music/Deeper/frame01.png") << path;
  }
  EXPECT_TRUE(watcher.takeChanges().empty());

  const auto before = std::chrono::steady_clock::now();
  watcher.stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
  dir.write("Data/After.txt", "x");
  std::this_thread::sleep_for(50ms);
  EXPECT_TRUE(watcher.takeChanges().empty());
}

// The writes' events come in order, so once "Last.txt" is taken every write of
// "Track.txt" has been recorded; the pause lets them gather before the first take.
TEST(FileWatcher, AFileWrittenManyTimesBeforeATakeIsTakenOnce) {
  testing::TempDir dir;
  dir.write("Data/Track.txt", "0");
  FileWatcher watcher;
  ASSERT_TRUE(watcher.start((dir.path() / "Data").string()));
  for (int i = 1; i <= 50; ++i) dir.write("Data/Track.txt", std::to_string(i));
  dir.write("Data/Last.txt", "x");
  std::this_thread::sleep_for(100ms);
  long mostInOneTake = 0;
  bool last = false;
  for (int tries = 0; tries < 2000 && !last; ++tries, std::this_thread::sleep_for(5ms)) {
    const std::vector<std::string> changes = watcher.takeChanges();
    mostInOneTake = std::max(mostInOneTake, static_cast<long>(std::count(changes.begin(), changes.end(), "Track.txt")));
    last = std::find(changes.begin(), changes.end(), "Last.txt") != changes.end();
  }
  EXPECT_TRUE(last);
  EXPECT_EQ(mostInOneTake, 1);
}

}  // namespace
}  // namespace quintaval
