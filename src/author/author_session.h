// Author mode around the player's main loop: between frames it takes the file watcher's
// changes, lets them settle and reloads what changed; it turns the author's keys into
// transport commands; and before each frame is presented it draws the author overlay
// from a snapshot of the frame. While it lives, messages go to the author log and
// standard error instead of message boxes.
//
// Keys: Space pause/resume; Left/Right seek 1 s (Shift: 10 s); Home to 0; [ and ] set the
// loop region's start and end at the current time; Backspace clears it; Tab shows or
// hides the overlay. Escape still ends the program (the main loop's rule).
#pragma once

#include <chrono>
#include <deque>
#include <memory>
#include <vector>

#include "app/main_loop.h"
#include "author/author_log.h"
#include "author/change_batcher.h"
#include "author/reloader.h"
#include "author/transport.h"

namespace quintaval {

class AuthorOverlay;
struct OverlaySnapshot;

class AuthorSession : public FrameHooks {
 public:
  // The demo has started (window, loading, music, file watcher).
  explicit AuthorSession(Demo& demo);
  ~AuthorSession() override;
  AuthorSession(const AuthorSession&) = delete;
  AuthorSession& operator=(const AuthorSession&) = delete;

  void beforeFrame() override;
  void beforePresent(const FrameRenderer& renderer, const FrameTime& time) override;

  Transport& transport() { return transport_; }

 private:
  struct KeyPress {
    int key;
    int mods;
  };
  void handleKey(const KeyPress& press);
  void logLoop();
  void takeChanges();
  void fillSnapshot(const FrameRenderer& renderer, const FrameTime& time, OverlaySnapshot& snapshot) const;
  double sessionSeconds() const;

  Demo& demo_;
  AuthorLog log_;
  ErrorReporter* previousReporter_;
  Transport transport_;
  ChangeBatcher batcher_;
  Reloader reloader_;
  std::unique_ptr<AuthorOverlay> overlay_;
  std::vector<KeyPress> keys_;  // pressed since the last frame
  std::chrono::steady_clock::time_point started_;
  std::chrono::steady_clock::time_point lastFrame_;
  std::deque<float> frameMilliseconds_;
};

}  // namespace quintaval
