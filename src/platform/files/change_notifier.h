// Change notification for a directory tree: inotify on Linux, ReadDirectoryChangesW on
// Windows (one source file each, chosen by the build).
//
// open() watches a root directory and every directory below it, directories created
// later included. waitForChanges() blocks until files are created or written somewhere
// in the tree and hands back their paths relative to the root with '/' separators
// ("Textures/Music/frame01.png"), one per event the system reports. wake() may be
// called from any thread and makes a blocked waitForChanges() return, so that the
// thread reading changes can be stopped. Everything else is for the reading thread.
// Paths are UTF-8 on every system.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace quintaval {

class ChangeNotifier {
 public:
  ChangeNotifier();
  ~ChangeNotifier();
  ChangeNotifier(const ChangeNotifier&) = delete;
  ChangeNotifier& operator=(const ChangeNotifier&) = delete;

  // Starts watching `root` and its subdirectories. False when the root cannot be
  // watched (missing, not a directory, or no notification available).
  bool open(const std::string& root);

  // Waits until changes arrive or wake() is called. Appends the paths of created or
  // written files to `paths`. Returns false once woken or when the watch is lost,
  // true otherwise (possibly with nothing appended, e.g. after a queue overflow).
  bool waitForChanges(std::vector<std::string>& paths);

  // Any thread: ends the current and every later waitForChanges().
  void wake();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quintaval
