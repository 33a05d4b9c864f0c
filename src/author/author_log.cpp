#include "author/author_log.h"

#include <chrono>
#include <cstdio>

namespace quintaval {
namespace {

double steadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

AuthorLog::AuthorLog() : startSeconds_(steadySeconds()) {}

void AuthorLog::show(const std::string& message, bool) { add(message, true); }

void AuthorLog::addNote(const std::string& text) {
  std::printf("quintaval: %s\n", text.c_str());
  std::fflush(stdout);
  add(text, false);
}

void AuthorLog::add(const std::string& text, bool error) {
  std::lock_guard<std::mutex> lock(mutex_);
  entries_.push_back({steadySeconds() - startSeconds_, text, error});
  while (entries_.size() > kKeptEntries) entries_.pop_front();
}

std::vector<AuthorLogEntry> AuthorLog::entries() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return {entries_.begin(), entries_.end()};
}

}  // namespace quintaval
