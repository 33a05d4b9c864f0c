// inotify has no recursive watch: every directory of the tree gets a watch of its own,
// and a directory that appears later is watched as soon as its creation is read. Files
// written into such a directory before its watch existed are found by listing it then.
// A directory moved away stops being watched (moved within the tree, it is watched
// afresh under its new name). The kernel's event queue can overflow; the watches below
// the root are then rebuilt from the directories as they are, and watching goes on.
#include "platform/files/change_notifier.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <unordered_map>

namespace quintaval {
namespace {

constexpr std::uint32_t kFileEvents = IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_TO;
constexpr std::uint32_t kWatchMask = kFileEvents | IN_MOVED_FROM | IN_ONLYDIR;
constexpr std::size_t kEventBufferSize = 16384;

}  // namespace

struct ChangeNotifier::Impl {
  // A watched directory is known by its parent's watch and its own name; its path is
  // built from the chain up to the root.
  struct WatchedDirectory {
    int parent;        // -1 for the root
    std::string name;  // the root's full path for the root
  };

  Impl();
  ~Impl();
  bool open(const std::string& root);
  bool waitForChanges(std::vector<std::string>& names);
  void wake();

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

ChangeNotifier::Impl::Impl()
    : inotifyFd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
      wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

ChangeNotifier::Impl::~Impl() {
  if (inotifyFd_ >= 0) close(inotifyFd_);
  if (wakeFd_ >= 0) close(wakeFd_);
}

bool ChangeNotifier::Impl::open(const std::string& root) {
  if (inotifyFd_ < 0 || wakeFd_ < 0 || rootWatch_ >= 0) return false;
  rootWatch_ = inotify_add_watch(inotifyFd_, root.c_str(), kWatchMask);
  if (rootWatch_ < 0) return false;
  watchedDirectories_[rootWatch_] = {-1, root};
  watchChildren(rootWatch_, false, nullptr);
  return true;
}

std::string ChangeNotifier::Impl::pathOf(int watch) const {
  std::string path;
  for (auto it = watchedDirectories_.find(watch); it != watchedDirectories_.end();
       it = watchedDirectories_.find(it->second.parent)) {
    path = path.empty() ? it->second.name : it->second.name + "/" + path;
  }
  return path;
}

std::string ChangeNotifier::Impl::relativePathOf(int watch, const std::string& name) const {
  std::string path = name;
  for (auto it = watchedDirectories_.find(watch); it != watchedDirectories_.end() && it->first != rootWatch_;
       it = watchedDirectories_.find(it->second.parent)) {
    path = it->second.name + "/" + path;
  }
  return path;
}

void ChangeNotifier::Impl::watchDirectory(int parent, const std::string& name, bool reportFiles,
                                          std::vector<std::string>* names) {
  std::string path = pathOf(parent) + "/" + name;
  int watch = inotify_add_watch(inotifyFd_, path.c_str(), kWatchMask);
  // A watch the tree already holds was reached again through a link (possibly one
  // pointing back up the tree): it keeps its first place.
  if (watch < 0 || watchedDirectories_.count(watch) != 0) return;
  watchedDirectories_[watch] = {parent, name};
  watchChildren(watch, reportFiles, names);
}

void ChangeNotifier::Impl::watchChildren(int watch, bool reportFiles, std::vector<std::string>* names) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator it(fs::path(pathOf(watch)), error);
  if (error) return;
  for (fs::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    std::error_code statError;
    std::string name = it->path().filename().string();
    if (fs::is_directory(it->path(), statError)) {
      watchDirectory(watch, name, reportFiles, names);
    } else if (reportFiles && names != nullptr) {
      names->push_back(relativePathOf(watch, name));
    }
  }
}

void ChangeNotifier::Impl::forgetTree(int watch) {
  std::vector<int> children;
  for (const auto& [child, directory] : watchedDirectories_) {
    if (directory.parent == watch) children.push_back(child);
  }
  for (int child : children) forgetTree(child);
  inotify_rm_watch(inotifyFd_, watch);
  watchedDirectories_.erase(watch);
}

void ChangeNotifier::Impl::forgetDirectory(int parent, const std::string& name) {
  for (const auto& [watch, directory] : watchedDirectories_) {
    if (directory.parent == parent && directory.name == name) {
      forgetTree(watch);
      return;
    }
  }
}

void ChangeNotifier::Impl::rebuild() {
  std::vector<int> children;
  for (const auto& [watch, directory] : watchedDirectories_) {
    if (directory.parent == rootWatch_) children.push_back(watch);
  }
  for (int child : children) forgetTree(child);
  watchChildren(rootWatch_, false, nullptr);
}

void ChangeNotifier::Impl::readEvents(std::vector<std::string>& names) {
  alignas(inotify_event) char buffer[kEventBufferSize];
  for (;;) {
    ssize_t length = read(inotifyFd_, buffer, sizeof buffer);
    if (length <= 0) return;  // EAGAIN: the queue is drained
    for (ssize_t offset = 0; offset < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->mask & IN_Q_OVERFLOW) {
        // Lost events may have been creations, renames or removals of directories:
        // start the tree below the root afresh.
        rebuild();
        continue;
      }
      if (event->mask & IN_IGNORED) {
        watchedDirectories_.erase(event->wd);
        continue;
      }
      if (event->len == 0 || watchedDirectories_.count(event->wd) == 0) continue;
      std::string name(event->name);
      if (event->mask & IN_ISDIR) {
        if (event->mask & (IN_CREATE | IN_MOVED_TO)) {
          watchDirectory(event->wd, name, true, &names);
        } else if (event->mask & IN_MOVED_FROM) {
          forgetDirectory(event->wd, name);
        }
        continue;
      }
      if (event->mask & kFileEvents) names.push_back(relativePathOf(event->wd, name));
    }
  }
}

bool ChangeNotifier::Impl::waitForChanges(std::vector<std::string>& names) {
  if (inotifyFd_ < 0 || wakeFd_ < 0 || rootWatch_ < 0) return false;
  pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {inotifyFd_, POLLIN, 0}};
  for (;;) {
    int ready = poll(fds, 2, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    break;
  }
  if (fds[0].revents != 0) return false;
  if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) return false;
  readEvents(names);
  // Once the watched root itself is gone, nothing below it can be seen any more.
  return watchedDirectories_.count(rootWatch_) != 0;
}

void ChangeNotifier::Impl::wake() {
  if (wakeFd_ < 0) return;
  std::uint64_t one = 1;
  ssize_t written = write(wakeFd_, &one, sizeof one);
  (void)written;
}

ChangeNotifier::ChangeNotifier() : impl_(std::make_unique<Impl>()) {}
ChangeNotifier::~ChangeNotifier() = default;
bool ChangeNotifier::open(const std::string& root) { return impl_->open(root); }
bool ChangeNotifier::waitForChanges(std::vector<std::string>& paths) { return impl_->waitForChanges(paths); }
void ChangeNotifier::wake() { impl_->wake(); }

}  // namespace quintaval
