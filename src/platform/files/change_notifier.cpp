// inotify has no recursive watch: every directory of the tree gets a watch of its own,
// and a directory that appears later is watched as soon as its creation is read. Files
// written into such a directory before its watch existed are found by listing it then.
// The kernel's event queue can overflow; the tree is then walked again to pick up any
// directory whose creation was lost, and watching goes on.
#include "platform/files/change_notifier.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace quintaval {
namespace {

constexpr std::uint32_t kFileEvents = IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_TO;
constexpr std::uint32_t kWatchMask = kFileEvents | IN_ONLYDIR;
constexpr std::size_t kEventBufferSize = 16384;

}  // namespace

ChangeNotifier::ChangeNotifier()
    : inotifyFd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
      wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

ChangeNotifier::~ChangeNotifier() {
  if (inotifyFd_ >= 0) close(inotifyFd_);
  if (wakeFd_ >= 0) close(wakeFd_);
}

bool ChangeNotifier::open(const std::string& root) {
  if (inotifyFd_ < 0 || wakeFd_ < 0) return false;
  rootWatch_ = inotify_add_watch(inotifyFd_, root.c_str(), kWatchMask);
  if (rootWatch_ < 0) return false;
  root_ = root;
  watchedDirectories_[rootWatch_] = root;
  watchTree(root, false, nullptr);
  return true;
}

void ChangeNotifier::watchTree(const std::string& directory, bool reportFiles,
                               std::vector<std::string>* names) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator it(fs::path(directory), error);
  if (error) return;
  for (fs::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    std::error_code statError;
    std::string path = it->path().string();
    if (fs::is_directory(it->path(), statError)) {
      int watch = inotify_add_watch(inotifyFd_, path.c_str(), kWatchMask);
      // The same watch number means this directory is already watched (reached again
      // through a link, or from an earlier walk): do not descend twice.
      if (watch < 0 || watchedDirectories_.count(watch) != 0) continue;
      watchedDirectories_[watch] = path;
      watchTree(path, reportFiles, names);
    } else if (reportFiles && names != nullptr) {
      names->push_back(it->path().filename().string());
    }
  }
}

void ChangeNotifier::readEvents(std::vector<std::string>& names) {
  alignas(inotify_event) char buffer[kEventBufferSize];
  for (;;) {
    ssize_t length = read(inotifyFd_, buffer, sizeof buffer);
    if (length <= 0) return;  // EAGAIN: the queue is drained
    for (ssize_t offset = 0; offset < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->mask & IN_Q_OVERFLOW) {
        watchTree(root_, false, nullptr);
        continue;
      }
      if (event->mask & IN_IGNORED) {
        watchedDirectories_.erase(event->wd);
        continue;
      }
      if (event->len == 0 || !(event->mask & kFileEvents)) continue;
      std::string name(event->name);
      if (event->mask & IN_ISDIR) {
        if (!(event->mask & (IN_CREATE | IN_MOVED_TO))) continue;
        auto parent = watchedDirectories_.find(event->wd);
        if (parent == watchedDirectories_.end()) continue;
        std::string path = parent->second + "/" + name;
        int watch = inotify_add_watch(inotifyFd_, path.c_str(), kWatchMask);
        if (watch < 0 || watchedDirectories_.count(watch) != 0) continue;
        watchedDirectories_[watch] = path;
        watchTree(path, true, &names);
        continue;
      }
      names.push_back(std::move(name));
    }
  }
}

bool ChangeNotifier::waitForChanges(std::vector<std::string>& names) {
  if (inotifyFd_ < 0 || wakeFd_ < 0) return false;
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

void ChangeNotifier::wake() {
  if (wakeFd_ < 0) return;
  std::uint64_t one = 1;
  ssize_t written = write(wakeFd_, &one, sizeof one);
  (void)written;
}

}  // namespace quintaval
