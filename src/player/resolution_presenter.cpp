#include "player/resolution_presenter.h"

#include <cstdio>
#include <utility>

namespace quintaval {
namespace {

// The aspect list is sorted, so its items read in this order.
const char* const kAspectItems[] = {"16:10", "16:9", "4:3", "Others"};

bool matchesLabel(const std::string& label, int width, int height) {
  return aspectLabelOf(width, height) == label;
}

}  // namespace

std::string aspectLabelOf(int width, int height) {
  // Integer arithmetic on purpose: 1366 x 768 is 16:9 because 9 * 1366 / 16 floors to 768.
  long long w = width;
  if (height == 9 * w / 16) return "16:9";
  if (height == 10 * w / 16) return "16:10";
  if (height == 3 * w / 4) return "4:3";
  return "Others";
}

int bitsPerPixelOf(const DisplayMode& mode) { return mode.colorBits >= 24 ? 32 : mode.colorBits; }

ResolutionPresenter::ResolutionPresenter(DemoSettings& settings, std::vector<DisplayMode> modes, Resolution desktop)
    : settings_(settings), modes_(std::move(modes)), desktop_(desktop) {}

void ResolutionPresenter::buildResolutionList(const std::string& label) {
  for (const DisplayMode& mode : modes_) {
    if (static_cast<int>(modeList_.size()) >= kMaxModes) break;
    if (bitsPerPixelOf(mode) != settings_.colorBits) continue;
    if (!matchesLabel(label, mode.width, mode.height)) continue;
    // One entry per resolution reported several times in a row (one per refresh rate).
    if (!modeList_.empty() && modeList_.back().width == mode.width && modeList_.back().height == mode.height) {
      continue;
    }
    modeList_.push_back({mode.width, mode.height});
    char text[500];
    std::snprintf(text, sizeof text, "%d X %d", mode.width, mode.height);
    content_.resolutionItems.push_back(text);
  }
}

void ResolutionPresenter::open() {
  if (settings_.width == 0 || settings_.height == 0) {
    settings_.width = desktop_.width;
    settings_.height = desktop_.height;
  }
  const std::string desktopAspect = aspectLabelOf(settings_.width, settings_.height);
  buildResolutionList(desktopAspect);
  content_.aspectItems.assign(std::begin(kAspectItems), std::end(kAspectItems));

  content_.resolutionSelection = -1;
  for (size_t i = 0; i < modeList_.size(); ++i) {
    if (modeList_[i].width == settings_.width && modeList_[i].height == settings_.height) {
      content_.resolutionSelection = static_cast<int>(i);
    }
  }
  savedIndex_ = content_.resolutionSelection;

  for (size_t i = 0; i < content_.aspectItems.size(); ++i) {
    if (content_.aspectItems[i] == desktopAspect) content_.aspectSelection = static_cast<int>(i);
  }
}

SetupDialogChecks ResolutionPresenter::initialChecks() const {
  return {settings_.fullscreen, settings_.vsync, settings_.multisampling, settings_.loopDemo};
}

void ResolutionPresenter::selectionChanged(int resolutionSelection, const std::string& aspectText) {
  content_.resolutionSelection = resolutionSelection;
  for (size_t i = 0; i < content_.aspectItems.size(); ++i) {
    if (content_.aspectItems[i] == aspectText) content_.aspectSelection = static_cast<int>(i);
  }

  for (const char* label : {"16:10", "16:9", "4:3", "Others"}) {
    if (aspectText != label) continue;
    if (resolutionSelection != savedIndex_) {
      // The viewer picked another resolution.
      savedIndex_ = resolutionSelection;
      return;
    }
    // The viewer picked an aspect: rebuild the list for it, unless it was just built.
    if (lastRebuiltAspect_ == label) return;
    lastRebuiltAspect_ = label;
    modeList_.clear();
    content_.resolutionItems.clear();
    buildResolutionList(label);
    content_.resolutionSelection = static_cast<int>(modeList_.size()) - 1;
    savedIndex_ = content_.resolutionSelection;
    return;
  }
}

bool ResolutionPresenter::start(const SetupDialogChecks& checks) {
  const int selection = content_.resolutionSelection;
  if (selection < 0 || selection >= static_cast<int>(modeList_.size())) return false;
  settings_.width = modeList_[selection].width;
  settings_.height = modeList_[selection].height;
  settings_.fullscreen = checks.fullscreen;
  settings_.vsync = checks.vsync;
  settings_.multisampling = checks.multisampling;
  settings_.loopDemo = checks.loopDemo;
  return true;
}

}  // namespace quintaval
