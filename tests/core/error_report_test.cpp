// The one reporter: messages from other threads wait for the main thread, and a reporter
// installed for a while hands back to the one before it.
#include "core/error_report.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/recording_reporter.h"

namespace quintaval {
namespace {

using Messages = std::vector<std::string>;

TEST(ErrorReport, OtherThreadsQueueUntilTheMainThreadDeliversOnce) {
  testing::RecordingReporter reporter;
  std::thread([] { reportError("from the watcher"); }).join();
  EXPECT_EQ(reporter.messages(), Messages{});
  deliverQueuedErrors();
  deliverQueuedErrors();
  EXPECT_EQ(reporter.messages(), Messages{"from the watcher"});
}

TEST(ErrorReport, MainThreadMessagesGoAtOnceToTheReporterInstalledLast) {
  testing::RecordingReporter outer;
  {
    testing::RecordingReporter inner;
    reportError("inner");
    EXPECT_EQ(inner.messages(), Messages{"inner"});
  }
  reportError("outer");
  EXPECT_EQ(outer.messages(), Messages{"outer"});
}

}  // namespace
}  // namespace quintaval
