// The author overlay: Dear ImGui panels drawn over the finished frame, before it is
// presented. A timeline bar to click and drag for seeking (with the loop region), the
// play position, sync row, scene, pause and frame times, the 19 tracks' curves around
// now (keys to drag, add and remove), the spectrum with the shake bins, the author log,
// and, once F2 asked for it, the sync grid. It reads one OverlaySnapshot per frame and
// changes nothing but through the transport and the sync panel.
//
// ImGui keeps one global context, so there is one overlay at a time. Its GLFW back end
// chains the window's callbacks: a key callback installed before the overlay still runs.
// The overlay draws into the default framebuffer and leaves the GL state as it found it.
#pragma once

#include <chrono>
#include <string>

#include "author/overlay_snapshot.h"
#include "author/sync_views.h"

struct GLFWwindow;

namespace quintaval {

class SyncPanel;
class Transport;

// "m:ss.mmm", rounded to the millisecond; negative times read 0.
std::string formatPlayTime(double seconds);

// The time under `x` on a timeline bar from `left`, `width` pixels wide, showing 0 to
// `length` seconds; clamped to the bar.
double timelineSeconds(float x, float left, float width, double length);

class AuthorOverlay {
 public:
  static constexpr double kHintSeconds = 3.0;

  // The GL context of `window` must be current; the window must outlive the overlay.
  explicit AuthorOverlay(GLFWwindow* window);
  ~AuthorOverlay();
  AuthorOverlay(const AuthorOverlay&) = delete;
  AuthorOverlay& operator=(const AuthorOverlay&) = delete;

  // Hidden at first; the program's key handler toggles it on Tab.
  bool visible() const { return visible_; }
  void toggle() { visible_ = !visible_; }
  // Shows the overlay with the sync grid, which stays until the program ends.
  void showSyncPanel() { visible_ = syncShown_ = true; }

  // One ImGui frame over the current picture: the panels when visible, otherwise the
  // hint line for kHintSeconds after construction, then nothing.
  void draw(const OverlaySnapshot& snapshot, Transport& transport, SyncPanel& panel);

 private:
  void drawHint();
  void drawTimeline(const OverlaySnapshot& snapshot, Transport& transport);
  void drawNow(const OverlaySnapshot& snapshot);
  void drawTracks(const OverlaySnapshot& snapshot, SyncPanel& panel);
  void drawLog(const OverlaySnapshot& snapshot);

  const std::chrono::steady_clock::time_point created_;
  bool visible_ = false;
  bool syncShown_ = false;
  CurveDrag curveDrag_;
  double lastSeek_ = -1.0;  // the time the current drag last sought to
};

}  // namespace quintaval
