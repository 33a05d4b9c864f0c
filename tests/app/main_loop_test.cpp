// The main loop's end of the show, and the letterboxed 16:9 viewport it draws into.
#include "app/main_loop.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/gl_state.h"

namespace quintaval {
namespace {

TEST(MainLoop, EndsAt128SecondsUnlessLooping) {
  EXPECT_TRUE(reachedDemoEnd(128.0f, false));
  EXPECT_FALSE(reachedDemoEnd(127.99f, false));
  EXPECT_FALSE(reachedDemoEnd(200.0f, true));
}

// 16:9 from the full width, centred; a window wider than that gets no pillarbox but a
// picture cut at top and bottom. Height and offset truncate toward zero.
TEST(Letterbox, KeepsSixteenByNineFromTheFullWidth) {
  const struct { int width, height; std::vector<int> viewport; } cases[] = {
      {1280, 1024, {0, 152, 1280, 720}}, {1920, 800, {0, -140, 1920, 1080}},
      {1366, 768, {0, 0, 1366, 768}},    {1365, 1000, {0, 116, 1365, 767}}};
  for (const auto& c : cases) {
    const Viewport v = letterboxViewport(c.width, c.height);
    EXPECT_EQ((std::vector<int>{v.x, v.y, v.width, v.height}), c.viewport) << c.width << " x " << c.height;
  }
}

}  // namespace
}  // namespace quintaval
