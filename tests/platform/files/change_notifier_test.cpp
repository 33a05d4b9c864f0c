#include "platform/files/change_notifier.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <future>
#include <thread>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

void writeFile(const std::filesystem::path& file) { std::ofstream(file, std::ios::binary) << "x"; }

bool contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Wakes the notifier if the test is still waiting after a generous time, so that a
// missed change fails the test instead of hanging it.
class Watchdog {
 public:
  explicit Watchdog(ChangeNotifier& notifier)
      : thread_([this, &notifier] {
          if (done_.get_future().wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            notifier.wake();
          }
        }) {}
  ~Watchdog() {
    done_.set_value();
    thread_.join();
  }

 private:
  std::promise<void> done_;
  std::thread thread_;
};

TEST(ChangeNotifier, RootThatIsNotADirectoryCannotBeWatched) {
  testing::TempDir dir;
  dir.write("file", "x");
  ChangeNotifier missing, file;
  EXPECT_FALSE(missing.open((dir.path() / "absent").string()));
  EXPECT_FALSE(file.open((dir.path() / "file").string()));
}

TEST(ChangeNotifier, QueueOverflowKeepsWatchingAndFindsDirectoriesMadeMeanwhile) {
  testing::TempDir dir;
  ChangeNotifier notifier;
  ASSERT_TRUE(notifier.open(dir.path().string()));
  // Nobody reads while more events arrive than the kernel queues (16384 by default):
  // closing a file opened for writing is one event, and alternating two files keeps the
  // kernel from merging repeated events. The directory made then is lost from the queue.
  const std::string odd = (dir.path() / "odd.txt").string();
  const std::string even = (dir.path() / "even.txt").string();
  for (int i = 0; i < 17000; ++i) {
    int fd = ::open((i % 2 ? odd : even).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  std::filesystem::create_directories(dir.path() / "Made/During");

  Watchdog watchdog(notifier);
  std::vector<std::string> names;
  ASSERT_TRUE(notifier.waitForChanges(names));
  EXPECT_FALSE(contains(names, "Made"));  // directories are not reported as files
  names.clear();

  writeFile(dir.path() / "Made/During/after.txt");
  for (int attempt = 0; attempt < 10 && !contains(names, "after.txt"); ++attempt) {
    ASSERT_TRUE(notifier.waitForChanges(names));
  }
  EXPECT_TRUE(contains(names, "after.txt"));
}

// Waits until `name` is reported, collecting everything reported meanwhile.
bool reported(ChangeNotifier& notifier, const std::string& name, std::vector<std::string>& names) {
  while (!contains(names, name)) {
    if (!notifier.waitForChanges(names)) return false;
  }
  return true;
}

TEST(ChangeNotifier, DirectoriesRenamedInsideOrMovedOutsideTheTree) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path() / "Data/Old/Inner");
  std::filesystem::create_directories(dir.path() / "Outside");
  ChangeNotifier notifier;
  ASSERT_TRUE(notifier.open((dir.path() / "Data").string()));
  Watchdog watchdog(notifier);
  std::vector<std::string> names;

  std::filesystem::rename(dir.path() / "Data/Old", dir.path() / "Data/New");
  writeFile(dir.path() / "Data/New/marker1.txt");
  ASSERT_TRUE(reported(notifier, "marker1.txt", names));
  // Paths below the renamed directory follow it: a directory made there is watched.
  std::filesystem::create_directories(dir.path() / "Data/New/Inner/Deeper");
  writeFile(dir.path() / "Data/New/Inner/Deeper/deep.txt");
  EXPECT_TRUE(reported(notifier, "deep.txt", names));

  std::filesystem::rename(dir.path() / "Data/New", dir.path() / "Outside/Moved");
  writeFile(dir.path() / "Outside/Moved/Inner/away.txt");
  writeFile(dir.path() / "Data/marker2.txt");
  ASSERT_TRUE(reported(notifier, "marker2.txt", names));
  EXPECT_FALSE(contains(names, "away.txt"));
}

TEST(ChangeNotifier, WakeEndsAWaitFromAnotherThread) {
  testing::TempDir dir;
  ChangeNotifier notifier;
  ASSERT_TRUE(notifier.open(dir.path().string()));
  std::thread waker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    notifier.wake();
  });
  std::vector<std::string> names;
  EXPECT_FALSE(notifier.waitForChanges(names));
  waker.join();
  EXPECT_FALSE(notifier.waitForChanges(names));  // and every later one
}

TEST(ChangeNotifier, LosingTheRootEndsTheWatch) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path() / "Data");
  ChangeNotifier notifier;
  ASSERT_TRUE(notifier.open((dir.path() / "Data").string()));
  std::filesystem::remove_all(dir.path() / "Data");
  Watchdog watchdog(notifier);
  std::vector<std::string> names;
  bool watching = true;
  for (int attempt = 0; attempt < 10 && watching; ++attempt) watching = notifier.waitForChanges(names);
  EXPECT_FALSE(watching);
}

}  // namespace
}  // namespace quintaval
