#include "app/demo.h"

namespace quintaval {

FrameSources frameSources(Demo& demo) {
  FrameSources sources;
  sources.postProcessor = demo.postProcessor.get();
  for (int i = 0; i < kSequenceCount; ++i) sources.sequences[i] = &demo.sequences[i];
  sources.textOverlay = demo.textOverlay.get();
  sources.models = &demo.models;
  sources.maya = &demo.maya;
  sources.modelShader = demo.shaders.modelShader.get();
  return sources;
}

bool openSyncTracks(Demo& demo) {
  demo.syncDevice = SyncDevice::create("Data/Rocket/sync");
  if (!demo.syncDevice) return false;
  demo.tracks.request(*demo.syncDevice);
  return true;
}

void startMusic(Demo& demo) { demo.music.start("Data/Sound/Musica.mp3", demo.settings.loopDemo != 0); }

void startFileWatcher(Demo& demo) { demo.watcher.start(); }

}  // namespace quintaval
