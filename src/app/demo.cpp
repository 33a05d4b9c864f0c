#include "app/demo.h"

#include <filesystem>
#include <system_error>

#include "core/error_report.h"

namespace quintaval {

FrameSources frameSources(Demo& demo) {
  FrameSources sources;
  sources.postProcessor = demo.postProcessor.get();
  for (int i = 0; i < kSequenceCount; ++i) sources.sequences[i] = &demo.sequences[i];
  sources.textOverlay = demo.textOverlay.get();
  sources.models = &demo.models;
  sources.maya = &demo.maya;
  sources.shaders = &demo.shaders;
  return sources;
}

bool openSyncTracks(Demo& demo) {
  demo.syncDevice = SyncDevice::create(kSyncTrackBase);
  if (!demo.syncDevice) return false;
  demo.tracks.request(*demo.syncDevice);
  return true;
}

void startMusic(Demo& demo) { demo.music.start(demo.decodedMusic, demo.settings.loopDemo, demo.musicFailure); }

void startFileWatcher(Demo& demo) {
  std::error_code ignored;
  const std::filesystem::path data = std::filesystem::current_path(ignored) / kDataDir;
  if (!demo.watcher.start(data.string())) {
    reportError("Failed to open directory - Program will not see any file changes!");
  }
}

}  // namespace quintaval
