#include "core/error_report.h"

#include <cstdio>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace quintaval {
namespace {

std::mutex gMutex;
ErrorReporter* gReporter = nullptr;
std::thread::id gMainThread;
bool gMainThreadKnown = false;
// A message as a message box shows it, and as standard error and a log show it.
struct ErrorTexts {
  std::string message;
  std::string withDetails;
};
std::vector<ErrorTexts> gQueued;

const std::string& textFor(const ErrorReporter& reporter, const ErrorTexts& error) {
  return reporter.showsDetails() ? error.withDetails : error.message;
}

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

void reportError(const std::string& message, const std::string& details) {
  ErrorTexts error{message, details.empty() ? message : message + " " + details};
  std::fprintf(stderr, "ERROR: %s\n", error.withDetails.c_str());
  std::fflush(stderr);

  ErrorReporter* reporter = nullptr;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    bool onMainThread = !gMainThreadKnown || std::this_thread::get_id() == gMainThread;
    if (!onMainThread) {
      gQueued.push_back(std::move(error));
      return;
    }
    reporter = gReporter;
  }
  // Shown outside the lock: a blocking dialog must not keep other threads from queueing.
  if (reporter) reporter->show(textFor(*reporter, error), true);
}

void deliverQueuedErrors() {
  std::vector<ErrorTexts> errors;
  ErrorReporter* reporter = nullptr;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    errors.swap(gQueued);
    reporter = gReporter;
  }
  if (!reporter) return;
  for (const ErrorTexts& error : errors) reporter->show(textFor(*reporter, error), false);
  reporter->pump();
}

}  // namespace quintaval
