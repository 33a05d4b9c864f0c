#include "app/startup.h"

#include "app/gl_state.h"
#include "app/loading_sequence.h"
#include "render/scene_shaders.h"

namespace quintaval {

StartResult startDemo(Demo& demo, WindowVisibility visibility) {
  LoadingSequence loading(demo);
  const DemoSettings& settings = demo.settings;
  if (!demo.window.open(settings, settings.width, settings.height, visibility == WindowVisibility::kShown)) {
    return StartResult::kFailed;
  }
  if (!loadGlEntryPoints() || !initGlState(demo)) return StartResult::kFailed;
  loading.loadBasePictures();
  if (!buildSceneShaders(demo.shaders, settings)) return StartResult::kFailed;
  if (!loading.run()) return StartResult::kQuit;
  demo.decodedMusic = loading.music(demo.musicFailure);
  return openSyncTracks(demo) ? StartResult::kStarted : StartResult::kFailed;
}

}  // namespace quintaval
