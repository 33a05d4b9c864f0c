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

// A message box keeps the program's own words; standard error and a log add the details.
TEST(ErrorReport, DetailsFollowTheMessageOnStandardErrorAndInALog) {
  for (const bool log : {false, true}) {
    testing::RecordingReporter reporter(log);
    ::testing::internal::CaptureStderr();
    reportError("Bass file loading failed!", "Musica.mp3: Is a directory");
    std::thread([] { reportError("Queued!", "why"); }).join();
    deliverQueuedErrors();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "ERROR: Bass file loading failed! Musica.mp3: Is a directory\nERROR: Queued! why\n");
    const Messages shown = log ? Messages{"Bass file loading failed! Musica.mp3: Is a directory", "Queued! why"}
                               : Messages{"Bass file loading failed!", "Queued!"};
    EXPECT_EQ(reporter.messages(), shown);
  }
}

}  // namespace
}  // namespace quintaval
