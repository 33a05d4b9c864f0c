#include "support/recording_reporter.h"

namespace quintaval::testing {

RecordingReporter::RecordingReporter() : previous_(setErrorReporter(this)) { markMainThread(); }

RecordingReporter::~RecordingReporter() { setErrorReporter(previous_); }

void RecordingReporter::show(const std::string& message, bool) { messages_.push_back(message); }

}  // namespace quintaval::testing
