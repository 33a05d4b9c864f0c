// Installs itself as the error reporter for the lifetime of the object and records
// every message shown, so a test can assert exactly which messages the code raised. It
// takes the messages as a message box does, without their details, unless told to take
// them as a log does.
#pragma once

#include <string>
#include <vector>

#include "core/error_report.h"

namespace quintaval::testing {

class RecordingReporter : public ErrorReporter {
 public:
  explicit RecordingReporter(bool showsDetails = false)
      : previous_(setErrorReporter(this)), showsDetails_(showsDetails) {
    markMainThread();
  }
  ~RecordingReporter() override { setErrorReporter(previous_); }
  RecordingReporter(const RecordingReporter&) = delete;
  RecordingReporter& operator=(const RecordingReporter&) = delete;

  void show(const std::string& message, bool) override { messages_.push_back(message); }
  bool showsDetails() const override { return showsDetails_; }

  // Messages shown so far, queued ones included once deliverQueuedErrors() ran.
  const std::vector<std::string>& messages() const { return messages_; }
  void clear() { messages_.clear(); }

 private:
  ErrorReporter* previous_;
  bool showsDetails_;
  std::vector<std::string> messages_;
};

}  // namespace quintaval::testing
