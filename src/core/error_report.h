// User-visible error messages.
//
// Every message goes to standard error as one line and to the installed reporter,
// which shows it to the viewer (a warning dialog captioned "ERROR" in the program,
// a recording list in tests). Messages raised on the main thread are shown at once
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
};

// Installs the reporter used from now on (nullptr: standard error only) and returns
// the previous one. The caller keeps ownership.
ErrorReporter* setErrorReporter(ErrorReporter* reporter);

// Marks the calling thread as the one that may show messages directly. The thread
// that first installs a reporter is marked automatically.
void markMainThread();

// Reports a message from any thread.
void reportError(const std::string& message);

// Main thread only: shows the messages other threads have queued since the last call.
void deliverQueuedErrors();

}  // namespace quintaval
