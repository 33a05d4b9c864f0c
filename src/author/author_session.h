// Author mode around the player's main loop: between frames it takes the file watcher's
// changes, lets them settle and reloads what changed; it turns the author's keys into
// transport commands; and before each frame is presented it draws the author overlay
// from a snapshot of the frame. While it lives, messages go to the author log and
// standard error instead of message boxes.
//
// Keys: Space pause/resume; Left/Right seek 1 s (Shift: 10 s); Home to 0; [ and ] set the
// loop region's start and end at the current time; Backspace clears it; Tab shows or
// hides the overlay; F2 gives the keys to the sync panel and back (see sync_panel.h).
// Anywhere: Ctrl+S saves the edited tracks, Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z) undo
// and redo, F5 restores the unsaved edits of an earlier session when they are offered,
// Ctrl+Up/Down jump to the music's previous/next beat and Alt+Up/Down to its previous/next
// onset (see music_beats.h).
// Escape, or the close box, ends the program; with edits unsaved, the first one says
// what is unsaved and only a second one, right after it, quits without saving.
#pragma once

#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "author/author_log.h"
#include "author/change_batcher.h"
#include "author/music_beats.h"
#include "author/reloader.h"
#include "author/sync_editing.h"
#include "author/sync_panel.h"
#include "author/transport.h"

namespace quintaval {

class AuthorOverlay;
struct OverlaySnapshot;

struct AuthorOptions {
  std::string sheetPath;            // the author's sheet that saves keep current; empty: none
  std::optional<GivenTempo> tempo;  // the author's tempo instead of the one found
};

class AuthorSession : public FrameHooks {
 public:
  // The demo has started (window, loading, music, file watcher).
  AuthorSession(Demo& demo, const AuthorOptions& options);
  ~AuthorSession() override;
  AuthorSession(const AuthorSession&) = delete;
  AuthorSession& operator=(const AuthorSession&) = delete;

  void beforeFrame() override;
  bool quitRequested() override { return quit_; }
  void beforePresent(const FrameRenderer& renderer, const FrameTime& time) override;

  Transport& transport() { return transport_; }

 private:
  struct KeyPress {
    int key;
    int mods;
    bool repeat;
  };
  void handleKey(const KeyPress& press);
  bool handleEditKey(const KeyPress& press);
  void handleTransportKey(const KeyPress& press);
  void askToQuit();
  void jumpTo(const std::vector<double>& times, int direction, const char* what);
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
  SyncEditing sync_;
  SyncPanel panel_;
  MusicBeats beats_;
  std::unique_ptr<AuthorOverlay> overlay_;
  bool quitAsked_ = false;  // Escape with edits unsaved: the next one quits
  bool quit_ = false;
  std::vector<KeyPress> keys_;  // pressed since the last frame
  std::chrono::steady_clock::time_point started_;
  std::chrono::steady_clock::time_point lastFrame_;
  std::deque<float> frameMilliseconds_;
};

}  // namespace quintaval
