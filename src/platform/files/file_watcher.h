// Watches a directory tree on a thread of its own and records the paths of the files
// created or written in it, relative to the root ("Shaders/Model.frag"), for the main
// thread to take between frames. Each path is recorded once until taken, however often it
// is written, so a watcher nobody takes from grows only with the number of files changed.
// Stopping wakes and joins the thread at once, and the destructor stops, so a watcher may
// be a program-wide object.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

namespace quintaval {

class ChangeNotifier;

class FileWatcher {
 public:
  FileWatcher();
  ~FileWatcher();
  FileWatcher(const FileWatcher&) = delete;
  FileWatcher& operator=(const FileWatcher&) = delete;

  // Starts watching `root` and everything below it (directories made later included).
  // False when it cannot be watched, or the watcher already runs.
  bool start(const std::string& root);
  // Stops watching; changes not taken yet stay recorded.
  void stop();

  // The paths changed since the last call, each once, in the order of their first change.
  std::vector<std::string> takeChanges();

 private:
  void run();

  std::unique_ptr<ChangeNotifier> notifier_;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> changes_;         // in the order of their first change
  std::unordered_set<std::string> recorded_;  // the paths in changes_
};

}  // namespace quintaval
