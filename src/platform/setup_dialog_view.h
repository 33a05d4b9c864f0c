// The setup dialog's window, as the rest of the program sees it; platform/gtk/ shows it on
// Linux, platform/win32/ on Windows.
// The view only shows what its presenter holds and forwards the viewer's selections;
// every rule (which resolutions are listed, what a selection change does, what "Start"
// writes) lives in the presenter, which needs no toolkit.
#pragma once

#include <string>
#include <vector>

namespace quintaval {

// What the two drop-down lists show and which items are selected (-1: none).
struct SetupDialogContent {
  std::vector<std::string> resolutionItems;
  int resolutionSelection = -1;
  std::vector<std::string> aspectItems;
  int aspectSelection = -1;
};

// The four check boxes.
struct SetupDialogChecks {
  bool fullscreen = false;
  bool vsync = false;
  bool multisampling = false;
  bool loopDemo = false;
};

class SetupDialogPresenter {
 public:
  virtual ~SetupDialogPresenter() = default;
  virtual const SetupDialogContent& content() const = 0;
  // The viewer changed the selection of either list.
  virtual void selectionChanged(int resolutionSelection, const std::string& aspectText) = 0;
};

enum class SetupDialogResult { kStart, kQuit, kUnavailable };

// Whether the desktop can show the setup dialog at all (on Linux: whether GTK could open a
// display).
bool dialogsAvailable();

// Shows the modal dialog until "Start" or "Quit" is pressed; `checks` holds the initial
// state of the check boxes and receives their final state. "Start" stays insensitive
// while no resolution is selected. kUnavailable: no display could be opened.
SetupDialogResult runSetupDialogView(SetupDialogPresenter& presenter, SetupDialogChecks& checks);

}  // namespace quintaval
