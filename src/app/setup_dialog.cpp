#include "app/setup_dialog.h"

#include <GLFW/glfw3.h>

#include "app/window.h"
#include "core/error_report.h"
#include "platform/gtk/gtk_session.h"
#include "platform/setup_dialog_view.h"

namespace quintaval {

std::vector<DisplayMode> queryDisplayModes(Resolution& desktop) {
  std::vector<DisplayMode> modes;
  desktop = {};
  glfwSetErrorCallback(glfwErrorCallback);
  if (!glfwInit()) return modes;
  GLFWmonitor* monitor = glfwGetPrimaryMonitor();
  if (!monitor) return modes;
  int count = 0;
  const GLFWvidmode* list = glfwGetVideoModes(monitor, &count);
  for (int i = 0; list && i < count; ++i) {
    modes.push_back({list[i].width, list[i].height, list[i].redBits + list[i].greenBits + list[i].blueBits});
  }
  if (const GLFWvidmode* current = glfwGetVideoMode(monitor)) desktop = {current->width, current->height};
  return modes;
}

bool runSetupDialog(DemoSettings& settings) {
  if (!ensureGtk()) return true;
  Resolution desktop;
  std::vector<DisplayMode> modes = queryDisplayModes(desktop);
  if (modes.empty()) {
    // GLFW cannot see the display GTK opened, or reports no mode: the dialog would offer
    // nothing to start with, and the window could not open either.
    reportError("Unable to initialize GLFW!");
    return false;
  }
  SetupDialogModel model(settings, std::move(modes), desktop);
  model.open();
  SetupDialogChecks checks = model.initialChecks();
  const SetupDialogResult result = runSetupDialogView(model, checks);
  if (result == SetupDialogResult::kQuit) return false;
  if (result == SetupDialogResult::kStart) model.start(checks);
  return true;
}

}  // namespace quintaval
