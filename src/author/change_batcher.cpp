#include "author/change_batcher.h"

#include <algorithm>

namespace quintaval {

void ChangeBatcher::add(const std::vector<std::string>& paths, double now) {
  for (const std::string& path : paths) {
    pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                  [&path](const Pending& pending) { return pending.path == path; }),
                   pending_.end());
    pending_.push_back({path, now});
  }
}

std::vector<std::string> ChangeBatcher::takeSettled(double now) {
  std::vector<std::string> settled;
  auto quiet = [now](const Pending& pending) { return now - pending.lastChange >= kQuietSeconds; };
  for (const Pending& pending : pending_) {
    if (quiet(pending)) settled.push_back(pending.path);
  }
  pending_.erase(std::remove_if(pending_.begin(), pending_.end(), quiet), pending_.end());
  return settled;
}

}  // namespace quintaval
