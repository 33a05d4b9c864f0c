#include "player/setup_dialog.h"

#include "app/window.h"
#include "core/error_report.h"
#include "platform/setup_dialog_view.h"
#include "player/resolution_presenter.h"

namespace quintaval {

bool runSetupDialog(DemoSettings& settings) {
  if (!dialogsAvailable()) return true;
  Resolution desktop;
  std::vector<DisplayMode> modes = queryDisplayModes(desktop);
  if (modes.empty()) {
    // GLFW cannot see the display the dialog opened on, or reports no mode: the dialog
    // would offer nothing to start with, and the window could not open either.
    reportError("Unable to initialize GLFW!");
    return false;
  }
  ResolutionPresenter presenter(settings, std::move(modes), desktop);
  presenter.open();
  SetupDialogChecks checks = presenter.initialChecks();
  const SetupDialogResult result = runSetupDialogView(presenter, checks);
  if (result == SetupDialogResult::kQuit) return false;
  if (result == SetupDialogResult::kStart) presenter.start(checks);
  return true;
}

}  // namespace quintaval
