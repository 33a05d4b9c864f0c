// The tree is opened on the caller's thread, so a file written right after start() is
// already seen; the thread then only waits for changes and records the paths not yet
// recorded.
#include "platform/files/file_watcher.h"

#include <utility>

#include "platform/files/change_notifier.h"

namespace quintaval {

FileWatcher::FileWatcher() = default;

FileWatcher::~FileWatcher() { stop(); }

bool FileWatcher::start(const std::string& root) {
  if (notifier_) return false;
  auto notifier = std::make_unique<ChangeNotifier>();
  if (!notifier->open(root)) return false;
  notifier_ = std::move(notifier);
  thread_ = std::thread(&FileWatcher::run, this);
  return true;
}

void FileWatcher::stop() {
  if (!notifier_) return;
  notifier_->wake();
  if (thread_.joinable()) thread_.join();
  notifier_.reset();
}

std::vector<std::string> FileWatcher::takeChanges() {
  std::lock_guard<std::mutex> lock(mutex_);
  recorded_.clear();
  return std::exchange(changes_, {});
}

void FileWatcher::run() {
  std::vector<std::string> paths;
  bool watching = true;
  while (watching) {
    watching = notifier_->waitForChanges(paths);
    if (paths.empty()) continue;
    std::lock_guard<std::mutex> lock(mutex_);
    for (std::string& path : paths) {
      if (recorded_.insert(path).second) changes_.push_back(std::move(path));
    }
    paths.clear();
  }
}

}  // namespace quintaval
