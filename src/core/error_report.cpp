#include "core/error_report.h"

#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace quintaval {
namespace {

std::mutex gMutex;
ErrorReporter* gReporter = nullptr;
std::thread::id gMainThread;
bool gMainThreadKnown = false;
std::vector<std::string> gQueued;

}  // namespace

ErrorReporter* setErrorReporter(ErrorReporter* reporter) {
  std::lock_guard<std::mutex> lock(gMutex);
  ErrorReporter* previous = gReporter;
  gReporter = reporter;
  if (!gMainThreadKnown) {
    gMainThread = std::this_thread::get_id();
    gMainThreadKnown = true;
  }
  return previous;
}

void markMainThread() {
  std::lock_guard<std::mutex> lock(gMutex);
  gMainThread = std::this_thread::get_id();
  gMainThreadKnown = true;
}

void reportError(const std::string& message) {
  std::fprintf(stderr, "ERROR: %s\n", message.c_str());
  std::fflush(stderr);

  ErrorReporter* reporter = nullptr;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    bool onMainThread = !gMainThreadKnown || std::this_thread::get_id() == gMainThread;
    if (!onMainThread) {
      gQueued.push_back(message);
      return;
    }
    reporter = gReporter;
  }
  // Shown outside the lock: a blocking dialog must not keep other threads from queueing.
  if (reporter) reporter->show(message, true);
}

void deliverQueuedErrors() {
  std::vector<std::string> messages;
  ErrorReporter* reporter = nullptr;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    messages.swap(gQueued);
    reporter = gReporter;
  }
  if (!reporter) return;
  for (const std::string& message : messages) reporter->show(message, false);
  reporter->pump();
}

}  // namespace quintaval
