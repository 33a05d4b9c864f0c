#include "app/startup.h"

#include "app/gl_state.h"
#include "app/loading_sequence.h"
#include "app/window.h"

namespace quintaval {

bool startDemo(Demo& demo, WindowVisibility visibility) {
  const DemoSettings& settings = demo.settings;
  if (!openWindow(settings, settings.width, settings.height, visibility == WindowVisibility::kShown)) return false;
  if (!loadGlEntryPoints()) return false;
  if (!initGlState(demo)) return false;
  if (!buildShaderCatalogue(demo.shaders, settings)) return false;
  runLoadingSequence(demo);
  return openSyncTracks(demo);
}

}  // namespace quintaval
