// quintaval: the demo player. Start-up runs the steps below in order; any failure ends
// the program with -1 after its message was shown.
#include <memory>

#include "app/demo.h"
#include "app/gl_state.h"
#include "app/main_loop.h"
#include "app/setup_dialog.h"
#include "app/window.h"
#include "core/error_report.h"
#include "platform/gtk/gtk_error_reporter.h"

int main() {
  using namespace quintaval;
  GtkErrorReporter messageBoxes;
  setErrorReporter(&messageBoxes);

  auto demo = std::make_unique<Demo>();
  DemoSettings& settings = demo->settings;
  if (!runSetupDialog(settings)) return -1;
  if (!openWindow(settings, settings.width, settings.height)) return -1;
  if (!loadGlEntryPoints()) return -1;
  initGlState(settings);
  runMainLoop(*demo);
  shutdown(*demo);
  return 0;
}
