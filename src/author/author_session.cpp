#include "author/author_session.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>

#include "app/demo.h"
#include "author/author_overlay.h"
#include "author/change_router.h"
#include "author/overlay_snapshot.h"
#include "scenes/camera_shake.h"

namespace quintaval {
namespace {

constexpr std::size_t kFrameTimesShown = 120;
// The tracks are plotted over the seconds around now, at this many points.
constexpr double kPlotSecondsBefore = 4.0;
constexpr double kPlotSecondsAfter = 4.0;
constexpr int kPlotPoints = 160;

std::vector<std::string> demoTrackNames() { return {kDemoTrackNames.begin(), kDemoTrackNames.end()}; }

// The keys from row `from` to row `to` of a track in ascending rows (a damaged track out
// of order shows fewer).
std::vector<SyncKey> keysBetween(const std::vector<SyncKey>& keys, double from, double to) {
  std::vector<SyncKey> between;
  for (std::size_t k = static_cast<std::size_t>(std::max(findKey(keys, std::ceil(from) - 1.0), 0));
       k < keys.size() && keys[k].row <= to; ++k) {
    if (keys[k].row >= from) between.push_back(keys[k]);
  }
  return between;
}

}  // namespace

AuthorSession::AuthorSession(Demo& demo, const AuthorOptions& options)
    : demo_(demo),
      previousReporter_(setErrorReporter(&log_)),
      transport_(demo.music),
      reloader_(demo, log_),
      sync_(*demo.syncDevice, demoTrackNames(), options.sheetPath, log_),
      panel_(sync_.editor(), transport_, log_),
      beats_(options.tempo),
      started_(std::chrono::steady_clock::now()),
      lastFrame_(started_) {
  // Installed before the overlay, whose GLFW back end calls it after its own handler.
  demo.window.onKey([this](int key, int mods, bool repeat) { keys_.push_back({key, mods, repeat}); });
  overlay_ = std::make_unique<AuthorOverlay>(demo.window.handle());
  demo.window.showCursor();
  log_.addNote("author mode: watching Data/ for changes");
}

AuthorSession::~AuthorSession() {
  overlay_.reset();
  setErrorReporter(previousReporter_);
}

void AuthorSession::handleKey(const KeyPress& press) {
  if (press.key != GLFW_KEY_ESCAPE) quitAsked_ = false;
  if (handleEditKey(press)) return;
  if (panel_.hasKeys() && panel_.handleKey(press.key, press.mods)) return;
  handleTransportKey(press);
}

bool AuthorSession::handleEditKey(const KeyPress& press) {
  const bool control = (press.mods & GLFW_MOD_CONTROL) != 0;
  const bool shift = (press.mods & GLFW_MOD_SHIFT) != 0;
  const bool alt = (press.mods & GLFW_MOD_ALT) != 0;
  if (control && press.key == GLFW_KEY_S) {
    sync_.save();
  } else if (control && (press.key == GLFW_KEY_Y || (press.key == GLFW_KEY_Z && shift))) {
    sync_.redo();
  } else if (control && press.key == GLFW_KEY_Z) {
    sync_.undo();
  } else if ((control || alt) && (press.key == GLFW_KEY_UP || press.key == GLFW_KEY_DOWN)) {
    const int direction = press.key == GLFW_KEY_UP ? -1 : 1;
    const BeatMarks& marks = *beats_.marks();
    control ? jumpTo(marks.beats, direction, "beat") : jumpTo(marks.onsetTimes, direction, "onset");
  } else if (press.key == GLFW_KEY_F5) {
    sync_.restoreRecovery();
  } else if (press.key == GLFW_KEY_F2) {
    if (panel_.hasKeys()) {
      panel_.releaseKeys();
    } else {
      panel_.takeKeys();
      overlay_->showSyncPanel();
    }
  } else {
    return false;
  }
  return true;
}

void AuthorSession::jumpTo(const std::vector<double>& times, int direction, const char* what) {
  const std::optional<double> to = neighbourTime(times, demo_.music.seconds(), direction);
  if (!to) {
    log_.addNote(std::string("no ") + what + (direction < 0 ? " before " : " after ") +
                 formatPlayTime(demo_.music.seconds()));
    return;
  }
  transport_.seekTo(*to);
  log_.addNote("at " + formatPlayTime(demo_.music.seconds()) + " (" + what + ")");
}

void AuthorSession::askToQuit() {
  if (!sync_.unsaved() || quitAsked_) {
    quit_ = true;
    return;
  }
  quitAsked_ = true;
  log_.addNote("unsaved edits of " + sync_.unsavedNames() + ": Ctrl+S saves them; Escape again quits without saving");
}

void AuthorSession::handleTransportKey(const KeyPress& press) {
  const double step = (press.mods & GLFW_MOD_SHIFT) ? 10.0 : 1.0;
  switch (press.key) {
    case GLFW_KEY_SPACE:
      transport_.togglePause();
      log_.addNote((demo_.music.paused() ? "paused at " : "playing from ") + formatPlayTime(demo_.music.seconds()));
      return;
    case GLFW_KEY_LEFT:
    case GLFW_KEY_RIGHT:
    case GLFW_KEY_HOME:
      if (press.key == GLFW_KEY_HOME) {
        transport_.seekTo(0.0);
      } else {
        transport_.seekBy(press.key == GLFW_KEY_LEFT ? -step : step);
      }
      log_.addNote("at " + formatPlayTime(demo_.music.seconds()));
      return;
    case GLFW_KEY_LEFT_BRACKET:
    case GLFW_KEY_RIGHT_BRACKET:
      press.key == GLFW_KEY_LEFT_BRACKET ? transport_.markLoopStart() : transport_.markLoopEnd();
      logLoop();
      return;
    case GLFW_KEY_BACKSPACE:
      transport_.clearLoop();
      log_.addNote("no loop");
      return;
    case GLFW_KEY_TAB:
      overlay_->toggle();
      return;
    case GLFW_KEY_ESCAPE:
      // A held Escape repeats; only a second press confirms.
      if (!press.repeat) askToQuit();
      return;
    default:
      return;
  }
}

void AuthorSession::logLoop() {
  const LoopRegion& loop = transport_.loop();
  auto text = [](const std::optional<double>& at) { return at ? formatPlayTime(*at) : std::string("-"); };
  log_.addNote("loop " + text(loop.start) + " to " + text(loop.end));
}

double AuthorSession::sessionSeconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

void AuthorSession::takeChanges() {
  const double now = sessionSeconds();
  batcher_.add(demo_.watcher.takeChanges(), now);
  for (const std::string& path : batcher_.takeSettled(now)) {
    const std::optional<ChangedAsset> change = routeChange(path);
    if (!change) continue;
    // The edited tracks change only through the editor, which knows its own saves.
    if (change->kind == AssetChange::kTrack && sync_.trackFileChanged(change->name)) continue;
    reloader_.apply(*change);
  }
  reloader_.finishPending();
}

void AuthorSession::beforeFrame() {
  const auto now = std::chrono::steady_clock::now();
  frameMilliseconds_.push_back(std::chrono::duration<float, std::milli>(now - lastFrame_).count());
  if (frameMilliseconds_.size() > kFrameTimesShown) frameMilliseconds_.pop_front();
  lastFrame_ = now;

  takeChanges();
  std::vector<KeyPress> keys;
  keys.swap(keys_);
  // The overlay has no text fields, so every key is the author's command.
  for (const KeyPress& press : keys) handleKey(press);
  if (demo_.window.takeCloseRequest()) askToQuit();
  if (transport_.update()) log_.addNote("looped back to " + formatPlayTime(*transport_.loop().start));
  sync_.update(sessionSeconds());
  demo_.window.markUnsaved(sync_.unsaved());
  std::string found;
  if (beats_.update(demo_.decodedMusic, found)) {
    log_.addNote(found);
    panel_.setBeats(beats_.marks()->beats);
  }
}

void AuthorSession::fillSnapshot(const FrameRenderer& renderer, const FrameTime& time,
                                 OverlaySnapshot& snapshot) const {
  snapshot.seconds = time.seconds;
  snapshot.row = time.row;
  snapshot.paused = demo_.music.paused();
  snapshot.loop = transport_.loop();
  const TrackValues& now = renderer.lastTracks();
  snapshot.scene = static_cast<int>(now[kSceneNum]);
  snapshot.frameMilliseconds.assign(frameMilliseconds_.begin(), frameMilliseconds_.end());
  snapshot.plotFrom = snapshot.seconds - kPlotSecondsBefore;
  snapshot.plotTo = snapshot.seconds + kPlotSecondsAfter;
  snapshot.tracks.resize(kDemoTrackCount);
  std::vector<TrackValues> samples(kPlotPoints);
  for (int i = 0; i < kPlotPoints; ++i) {
    const double t = snapshot.plotFrom + (snapshot.plotTo - snapshot.plotFrom) * i / (kPlotPoints - 1);
    samples[static_cast<std::size_t>(i)] = demo_.tracks.evaluate(t * kRowsPerSecond);
  }
  for (int track = 0; track < kDemoTrackCount; ++track) {
    TrackPlot& plot = snapshot.tracks[static_cast<std::size_t>(track)];
    plot.name = kDemoTrackNames[static_cast<std::size_t>(track)];
    plot.value = now.value[static_cast<std::size_t>(track)];
    plot.samples.resize(kPlotPoints);
    for (int i = 0; i < kPlotPoints; ++i) {
      plot.samples[static_cast<std::size_t>(i)] = samples[static_cast<std::size_t>(i)].value[static_cast<std::size_t>(track)];
    }
    plot.keys = keysBetween(sync_.editor().track(track).keys, snapshot.plotFrom * kRowsPerSecond,
                            snapshot.plotTo * kRowsPerSecond);
  }
  snapshot.spectrum = time.spectrum;
  const float t = static_cast<float>(snapshot.seconds);
  snapshot.shakeBins = {shakeBin(now[kCamShakeDatX], t), shakeBin(now[kCamShakeDatY], t)};
  snapshot.log = log_.entries();
  panel_.fillGrid(snapshot.seconds, snapshot.sync);
  snapshot.beats = beats_.marks();
}

void AuthorSession::beforePresent(const FrameRenderer& renderer, const FrameTime& time) {
  OverlaySnapshot snapshot;
  if (overlay_->visible()) fillSnapshot(renderer, time, snapshot);
  overlay_->draw(snapshot, transport_, panel_);
}

}  // namespace quintaval
