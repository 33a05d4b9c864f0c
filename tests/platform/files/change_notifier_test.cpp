// The inotify watch over a tree: directories made while the kernel's event queue
// overflows, and directories renamed inside the tree or moved out of it.
#include "platform/files/change_notifier.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

// Waits until `name` is reported, collecting everything reported meanwhile. A change the
// notifier misses leaves the test waiting, and ctest's time-out fails it.
bool reported(ChangeNotifier& notifier, const std::string& name, std::vector<std::string>& names) {
  while (std::find(names.begin(), names.end(), name) == names.end()) {
    if (!notifier.waitForChanges(names)) return false;
  }
  return true;
}

TEST(ChangeNotifier, QueueOverflowKeepsWatchingAndFindsDirectoriesMadeMeanwhile) {
  testing::TempDir dir;
  ChangeNotifier notifier;
  ASSERT_TRUE(notifier.open(dir.path().string()));
  // Nobody reads while more events arrive than the kernel queues (16384 by default):
  // closing a file opened for writing is one event, and alternating two files keeps the
  // kernel from merging repeated events. The directory made then is lost from the queue.
  const std::string files[] = {(dir.path() / "odd.txt").string(), (dir.path() / "even.txt").string()};
  for (int i = 0; i < 17000; ++i) {
    int fd = ::open(files[i % 2].c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  std::filesystem::create_directories(dir.path() / "Made/During");

  std::vector<std::string> names;
  ASSERT_TRUE(notifier.waitForChanges(names));
  dir.write("Made/During/after.txt", "x");
  EXPECT_TRUE(reported(notifier, "Made/During/after.txt", names));
  EXPECT_EQ(std::count(names.begin(), names.end(), "Made"), 0);  // directories are not files
}

TEST(ChangeNotifier, DirectoriesRenamedInsideOrMovedOutsideTheTree) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path() / "Data/Old/Inner");
  std::filesystem::create_directories(dir.path() / "Outside");
  ChangeNotifier notifier;
  ASSERT_TRUE(notifier.open((dir.path() / "Data").string()));
  std::vector<std::string> names;

  std::filesystem::rename(dir.path() / "Data/Old", dir.path() / "Data/New");
  dir.write("Data/New/marker1.txt", "x");
  ASSERT_TRUE(reported(notifier, "New/marker1.txt", names));
  // Paths below the renamed directory follow it: a directory made there is watched.
  std::filesystem::create_directories(dir.path() / "Data/New/Inner/Deeper");
  dir.write("Data/New/Inner/Deeper/deep.txt", "x");
  EXPECT_TRUE(reported(notifier, "New/Inner/Deeper/deep.txt", names));

  std::filesystem::rename(dir.path() / "Data/New", dir.path() / "Outside/Moved");
  dir.write("Outside/Moved/Inner/away.txt", "x");
  dir.write("Data/marker2.txt", "x");
  ASSERT_TRUE(reported(notifier, "marker2.txt", names));
  for (const std::string& path : names) EXPECT_EQ(path.find("away.txt"), std::string::npos) << path;
}

}  // namespace
}  // namespace quintaval
