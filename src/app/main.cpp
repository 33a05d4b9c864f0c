// quintaval: the demo player. Start-up runs the steps below in order; any failure ends
// the program with -1 after its message was shown.
#include <memory>

#include "app/demo.h"
#include "app/main_loop.h"
#include "app/setup_dialog.h"
#include "app/startup.h"
#include "core/error_report.h"
#include "platform/gtk/gtk_error_reporter.h"

int main() {
  using namespace quintaval;
  GtkErrorReporter messageBoxes;
  setErrorReporter(&messageBoxes);

  auto demo = std::make_unique<Demo>();
  if (!runSetupDialog(demo->settings)) return -1;
  demo->frameStats.markStart();
  if (!startDemo(*demo, WindowVisibility::kShown)) return -1;
  startMusic(*demo);
  startFileWatcher(*demo);
  runMainLoop(*demo);
  shutdown(*demo);
  return 0;
}
