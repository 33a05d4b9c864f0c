#include "app/main_loop.h"

#include <gtest/gtest.h>

#include "app/gl_state.h"

namespace quintaval {
namespace {

TEST(MainLoop, EndsAt128SecondsUnlessLooping) {
  EXPECT_TRUE(reachedDemoEnd(128.0f, false));
  EXPECT_FALSE(reachedDemoEnd(127.99f, false));
  EXPECT_FALSE(reachedDemoEnd(200.0f, true));
}

TEST(Letterbox, KeepsSixteenByNineFromTheFullWidth) {
  Viewport squarish = letterboxViewport(1280, 1024);
  EXPECT_EQ(squarish.x, 0);
  EXPECT_EQ(squarish.y, 152);
  EXPECT_EQ(squarish.width, 1280);
  EXPECT_EQ(squarish.height, 720);

  // Wider than 16:9: no pillarbox, the picture is cut at top and bottom instead.
  Viewport wide = letterboxViewport(1920, 800);
  EXPECT_EQ(wide.y, -140);
  EXPECT_EQ(wide.height, 1080);

  // Truncation toward zero on both the height and the offset.
  Viewport odd = letterboxViewport(1366, 768);
  EXPECT_EQ(odd.height, 768);
  EXPECT_EQ(odd.y, 0);
  Viewport narrow = letterboxViewport(1365, 1000);
  EXPECT_EQ(narrow.height, 767);
  EXPECT_EQ(narrow.y, 116);
}

}  // namespace
}  // namespace quintaval
