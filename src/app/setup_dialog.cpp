#include "app/setup_dialog.h"

#include <GLFW/glfw3.h>

#include "app/window.h"
#include "platform/gtk/gtk_session.h"
#include "platform/gtk/setup_dialog_view.h"

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
    const int colorBits = list[i].redBits + list[i].greenBits + list[i].blueBits;
    modes.push_back({list[i].width, list[i].height, colorBits == 24 ? 32 : colorBits});
  }
  if (const GLFWvidmode* current = glfwGetVideoMode(monitor)) desktop = {current->width, current->height};
  return modes;
}

bool runSetupDialog(DemoSettings& settings) {
  if (!ensureGtk()) return true;
  Resolution desktop;
  std::vector<DisplayMode> modes = queryDisplayModes(desktop);
  SetupDialogModel model(settings, std::move(modes), desktop);
  model.open();
  SetupDialogChecks checks = model.initialChecks();
  const SetupDialogResult result = runSetupDialogView(model, checks);
  if (result == SetupDialogResult::Quit) return false;
  if (result == SetupDialogResult::Start) model.start(checks);
  return true;
}

}  // namespace quintaval
