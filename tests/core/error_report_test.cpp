#include "core/error_report.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/recording_reporter.h"

namespace quintaval {
namespace {

TEST(ErrorReport, MainThreadMessagesAreShownAtOnce) {
  testing::RecordingReporter reporter;
  reportError("Unable to open window!");
  ASSERT_EQ(reporter.messages().size(), 1u);
  EXPECT_EQ(reporter.messages()[0], "Unable to open window!");
}

TEST(ErrorReport, OtherThreadsQueueUntilTheMainThreadDelivers) {
  testing::RecordingReporter reporter;
  std::thread worker([] { reportError("from the watcher"); });
  worker.join();
  EXPECT_TRUE(reporter.messages().empty());
  deliverQueuedErrors();
  ASSERT_EQ(reporter.messages().size(), 1u);
  EXPECT_EQ(reporter.messages()[0], "from the watcher");
  deliverQueuedErrors();
  EXPECT_EQ(reporter.messages().size(), 1u);
}

TEST(ErrorReport, RestoresThePreviousReporter) {
  testing::RecordingReporter outer;
  {
    testing::RecordingReporter inner;
    reportError("inner");
    EXPECT_EQ(inner.messages().size(), 1u);
  }
  reportError("outer");
  ASSERT_EQ(outer.messages().size(), 1u);
  EXPECT_EQ(outer.messages()[0], "outer");
}

}  // namespace
}  // namespace quintaval
