// Turns the watcher's stream of changed paths into reloads. An editor's save is often
// several events (a temporary file written, then renamed over the real one, or the
// same file closed twice), so a path is handed on only once it has been quiet for
// kQuietSeconds, and then once however many events it had. Paths keep the order of
// their last change. Time is given by the caller, in seconds.
#pragma once

#include <string>
#include <vector>

namespace quintaval {

class ChangeBatcher {
 public:
  static constexpr double kQuietSeconds = 0.05;

  void add(const std::vector<std::string>& paths, double now);
  // The paths quiet since `now - kQuietSeconds`, removed from the batch.
  std::vector<std::string> takeSettled(double now);
  bool empty() const { return pending_.empty(); }

 private:
  struct Pending {
    std::string path;
    double lastChange;
  };
  std::vector<Pending> pending_;  // in order of the last change
};

}  // namespace quintaval
