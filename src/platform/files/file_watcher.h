// Watches a directory tree on a thread of its own and queues the paths of the files
// created or written in it, relative to the root ("Shaders/Model.frag"), for the main
// thread to take between frames. A path written several times is queued as often; the
// taker decides what to make of repeats. Stopping wakes and joins the thread at once,
// and the destructor stops, so a watcher may be a program-wide object.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <thread>
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
  // Stops watching; changes not taken yet stay queued.
  void stop();

  // The paths queued since the last call, oldest first.
  std::vector<std::string> takeChanges();

 private:
  void run();

  std::unique_ptr<ChangeNotifier> notifier_;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> changes_;
};

}  // namespace quintaval
