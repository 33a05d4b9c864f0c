// A background thread that watches "Data" under the working directory, with all its
// subdirectories (including ones created later), and records the name (with extension,
// without directory) of every file created or written while the demo runs.
//
// Nothing reloads on a change; the list is kept for whoever wants to read it, through a
// snapshot taken under a lock. When the directory cannot be watched the thread reports
// "Failed to open directory - Program will not see any file changes!" and ends; the
// message is queued by the error reporter and shown by the main thread. The destructor
// stops and joins the thread, so a watcher may be a program-wide object.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quintaval {

class ChangeNotifier;

class FileWatcher {
 public:
  enum class State { notStarted, starting, watching, failed, stopped };

  FileWatcher();
  ~FileWatcher();
  FileWatcher(const FileWatcher&) = delete;
  FileWatcher& operator=(const FileWatcher&) = delete;

  // Main thread: watches "<working directory>/Data" on a new thread and returns at
  // once. Does nothing when already started.
  void start();
  // Stops watching and joins the thread; returns promptly. The recorded names stay.
  void stop();

  // Waits until the thread is watching or has given up (at most `timeout`) and returns
  // the state then.
  State waitUntilStarted(std::chrono::milliseconds timeout);
  State state() const;

  // The watched directory (set by start()).
  std::string directory() const;
  // A copy of the names recorded so far, oldest first.
  std::vector<std::string> changedFiles() const;

 private:
  void run();
  void setState(State state);

  mutable std::mutex mutex_;
  std::condition_variable stateChanged_;
  State state_ = State::notStarted;
  std::string directory_;
  std::vector<std::string> changedFiles_;
  std::unique_ptr<ChangeNotifier> notifier_;
  std::thread thread_;
};

}  // namespace quintaval
