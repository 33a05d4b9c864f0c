// The author overlay's pieces that need no window: the play time as text and the
// timeline bar's scale.
#include "author/author_overlay.h"

#include <gtest/gtest.h>

namespace quintaval {
namespace {

TEST(AuthorOverlay, PlayTimeReadsMinutesSecondsAndMilliseconds) {
  const struct {
    double seconds;
    const char* text;
  } cases[] = {
      {0.0, "0:00.000"},    {-0.5, "0:00.000"},    {1.0004, "0:01.000"},      {59.9996, "1:00.000"},
      {127.25, "2:07.250"}, {600.0, "10:00.000"},  {3599.999, "59:59.999"},
  };
  for (const auto& c : cases) EXPECT_EQ(formatPlayTime(c.seconds), c.text) << c.seconds;
}

TEST(AuthorOverlay, TimelinePointerIsClampedToTheBar) {
  // A bar from x = 100, 1000 pixels wide, showing 128 s.
  const struct {
    float x;
    double seconds;
  } cases[] = {{100.0f, 0.0}, {600.0f, 64.0}, {1100.0f, 128.0}, {20.0f, 0.0}, {1500.0f, 128.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(timelineSeconds(c.x, 100.0f, 1000.0f, 128.0), c.seconds) << c.x;
  EXPECT_EQ(timelineSeconds(50.0f, 100.0f, 0.0f, 128.0), 0.0);  // a window too small for a bar
}

}  // namespace
}  // namespace quintaval
