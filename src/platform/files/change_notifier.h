// Change notification for a directory tree, on inotify.
//
// open() watches a root directory and every directory below it; directories created
// later are added as they appear. waitForChanges() blocks until files are created or
// written somewhere in the tree and hands back their names (the last path component,
// extension included, no directory), one per event the kernel reports. wake() may be
// called from any thread and makes a blocked waitForChanges() return, so that the
// thread reading changes can be stopped. Everything else is for the reading thread.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace quintaval {

class ChangeNotifier {
 public:
  ChangeNotifier();
  ~ChangeNotifier();
  ChangeNotifier(const ChangeNotifier&) = delete;
  ChangeNotifier& operator=(const ChangeNotifier&) = delete;

  // Starts watching `root` and its subdirectories. False when the root cannot be
  // watched (missing, not a directory, or no inotify instance).
  bool open(const std::string& root);

  // Waits until changes arrive or wake() is called. Appends the names of created or
  // written files to `names`. Returns false once woken or when the watch is lost,
  // true otherwise (possibly with nothing appended, e.g. after a queue overflow).
  bool waitForChanges(std::vector<std::string>& names);

  // Any thread: ends the current and every later waitForChanges().
  void wake();

 private:
  // Watches `directory` and, below it, every directory not yet watched. When
  // `reportFiles`, files found on the way are appended to `names` as created: they may
  // have been written before the watch on their directory existed.
  void watchTree(const std::string& directory, bool reportFiles, std::vector<std::string>* names);
  void readEvents(std::vector<std::string>& names);

  int inotifyFd_ = -1;
  int wakeFd_ = -1;
  int rootWatch_ = -1;
  std::string root_;
  std::unordered_map<int, std::string> watchedDirectories_;
};

}  // namespace quintaval
