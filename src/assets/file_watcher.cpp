// The watch thread owns the change notifier; the main thread only wakes it to stop.
// Names are appended under the lock that also guards the state, so snapshots taken by
// other threads are always whole.
#include "assets/file_watcher.h"

#include <filesystem>
#include <system_error>

#include "core/error_report.h"
#include "platform/files/change_notifier.h"

namespace quintaval {

FileWatcher::FileWatcher() = default;

FileWatcher::~FileWatcher() { stop(); }

void FileWatcher::start() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (state_ != State::notStarted) return;
  std::error_code error;
  std::filesystem::path current = std::filesystem::current_path(error);
  directory_ = (current / "Data").string();
  state_ = State::starting;
  notifier_ = std::make_unique<ChangeNotifier>();
  thread_ = std::thread(&FileWatcher::run, this);
}

void FileWatcher::stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (notifier_) notifier_->wake();
  }
  if (thread_.joinable()) thread_.join();
  std::lock_guard<std::mutex> lock(mutex_);
  if (state_ == State::starting || state_ == State::watching) state_ = State::stopped;
  stateChanged_.notify_all();
}

void FileWatcher::run() {
  // notifier_ is set before the thread starts and replaced by nobody while it runs.
  ChangeNotifier& notifier = *notifier_;
  if (!notifier.open(directory())) {
    setState(State::failed);
    reportError("Failed to open directory - Program will not see any file changes!");
    return;
  }
  setState(State::watching);
  std::vector<std::string> names;
  for (;;) {
    bool watching = notifier.waitForChanges(names);
    if (!names.empty()) {
      std::lock_guard<std::mutex> lock(mutex_);
      changedFiles_.insert(changedFiles_.end(), names.begin(), names.end());
      names.clear();
    }
    if (!watching) break;
  }
  setState(State::stopped);
}

void FileWatcher::setState(State state) {
  std::lock_guard<std::mutex> lock(mutex_);
  state_ = state;
  stateChanged_.notify_all();
}

FileWatcher::State FileWatcher::waitUntilStarted(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  stateChanged_.wait_for(lock, timeout, [this] { return state_ != State::starting; });
  return state_;
}

FileWatcher::State FileWatcher::state() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return state_;
}

std::string FileWatcher::directory() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return directory_;
}

std::vector<std::string> FileWatcher::changedFiles() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return changedFiles_;
}

}  // namespace quintaval
