// User-visible error messages.
//
// Every message goes to standard error as one line and to the installed reporter,
// which shows it to the viewer (a warning dialog captioned "ERROR" in the program,
// the author log in author mode, a recording list in tests). A message may carry
// details (the file and a library's reason): they follow it on standard error and in a
// reporter that shows them, while a message box keeps the program's own words. Messages raised on the main thread are shown at once
// and block until dismissed; messages raised on another thread are queued and shown
// by the main thread at its next call to deliverQueuedErrors(), without blocking it.
#pragma once

#include <string>

namespace quintaval {

class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  // Shows the message; when `blocking`, returns only after the viewer dismissed it.
  virtual void show(const std::string& message, bool blocking) = 0;
  // Gives non-blocking messages a chance to process their events.
  virtual void pump() {}
  // Whether show() gets a message's details after it, as a log does.
  virtual bool showsDetails() const { return false; }
};

// Installs the reporter used from now on (nullptr: standard error only) and returns
// the previous one. The caller keeps ownership.
ErrorReporter* setErrorReporter(ErrorReporter* reporter);

// Marks the calling thread as the one that may show messages directly. The thread
// that first installs a reporter is marked automatically.
void markMainThread();

// Reports a message from any thread; `details`, when given, follow it after a space.
void reportError(const std::string& message, const std::string& details = std::string());

// Main thread only: shows the messages other threads have queued since the last call.
void deliverQueuedErrors();

}  // namespace quintaval
