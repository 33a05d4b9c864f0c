// quintaval: the demo player. Start-up runs the steps below in order; any failure ends
// the program with -1 after its message was shown.
#include <memory>

#include "app/demo.h"
#include "app/gl_state.h"
#include "app/loading_sequence.h"
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
  demo->frameStats.markStart();
  if (!openWindow(settings, settings.width, settings.height)) return -1;
  if (!loadGlEntryPoints()) return -1;
  if (!initGlState(*demo)) return -1;
  if (!buildShaderCatalogue(demo->shaders, settings)) return -1;
  runLoadingSequence(*demo);
  if (!openSyncTracks(*demo)) return -1;
  startMusic(*demo);
  startFileWatcher(*demo);
  runMainLoop(*demo);
  shutdown(*demo);
  return 0;
}
