// Change notification for a directory tree, on inotify.
//
// open() watches a root directory and every directory below it; directories created
// later are added as they appear. waitForChanges() blocks until files are created or
// written somewhere in the tree and hands back their paths relative to the root
// ("Textures/Music/frame01.png"), one per event the kernel reports. wake() may be
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

  // Waits until changes arrive or wake() is called. Appends the paths of created or
  // written files to `paths`. Returns false once woken or when the watch is lost,
  // true otherwise (possibly with nothing appended, e.g. after a queue overflow).
  bool waitForChanges(std::vector<std::string>& paths);

  // Any thread: ends the current and every later waitForChanges().
  void wake();

 private:
  // A watched directory is known by its parent's watch and its own name; its path is
  // built from the chain up to the root.
  struct WatchedDirectory {
    int parent;        // -1 for the root
    std::string name;  // the root's full path for the root
  };

  std::string pathOf(int watch) const;
  // The path of `name` in the watched directory `watch`, relative to the root.
  std::string relativePathOf(int watch, const std::string& name) const;
  // Watches the directory `name` inside the watched `parent` (once per directory) and
  // everything below it. When `reportFiles`, files found on the way are appended to
  // `names`: they may have been written before their directory was watched.
  void watchDirectory(int parent, const std::string& name, bool reportFiles,
                      std::vector<std::string>* names);
  void watchChildren(int watch, bool reportFiles, std::vector<std::string>* names);
  // Stops watching a directory that left its place, and everything below it.
  void forgetDirectory(int parent, const std::string& name);
  void forgetTree(int watch);
  // Rewatches everything below the root after events were lost.
  void rebuild();
  void readEvents(std::vector<std::string>& names);

  int inotifyFd_ = -1;
  int wakeFd_ = -1;
  int rootWatch_ = -1;
  std::unordered_map<int, WatchedDirectory> watchedDirectories_;
};

}  // namespace quintaval
