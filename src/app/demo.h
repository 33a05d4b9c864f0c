// The program-wide objects of one run, owned in one place: main() creates the Demo and
// hands it by reference to every start-up step and to the main loop. Nothing in it is
// created or destroyed while the demo runs (author mode reloads assets inside their
// owners), and no GL object is released before exit.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/frame_stats.h"
#include "app/window.h"
#include "assets/asset_catalogue.h"
#include "assets/texture_library.h"
#include "core/data_paths.h"
#include "core/demo_settings.h"
#include "geometry/maya_scene.h"
#include "render/model_library.h"
#include "render/post_processor.h"
#include "render/shader_library.h"
#include "scenes/demo_tracks.h"
#include "scenes/frame_renderer.h"
#include "sync/sync_device.h"
#include "platform/files/file_watcher.h"
#include "text/text_overlay.h"
#include "timeline/clock.h"
#include "playback/music_clock.h"

namespace quintaval {

struct Demo {
  DemoSettings settings;  // the defaults the setup dialog opens with
  Window window;

  // Made by the GL state initialisation and the scene shaders.
  ShaderLibrary shaders;  // every program, by the stem of its files
  std::unique_ptr<PostProcessor> postProcessor;
  TextureLibrary baseLibrary;  // the images directly in "Data/": "Loading.jpg", "Font.png"

  // Filled by the loading sequence.
  AssetCatalogue catalogue;
  TextureLibrary assetLibrary;  // every catalogued image, by file name
  ModelLibrary models;
  MayaScene maya;
  std::array<TextureSequence, kSequenceCount> sequences;  // "anim.num" 1 to 13
  std::unique_ptr<TextOverlay> textOverlay;

  // The timeline.
  std::unique_ptr<SyncDevice> syncDevice;
  DemoTracks tracks;
  MusicClock music;
  std::shared_ptr<const DecodedMusic> decodedMusic;  // by the loading sequence; null if it failed
  std::string musicFailure;  // then why: the file and the decoder's reason

  FileWatcher watcher;  // watches "Data/" while the demo plays; author mode reloads what changed
  FrameStats frameStats;  // off unless QUINTAVAL_FRAME_STATS is set
};

// What the frame renderer draws from.
FrameSources frameSources(Demo& demo);

// Start-up steps after loading: the sync device for "Data/Rocket/sync" with the 19
// tracks (false when the device cannot be made), the music, the file watcher (which
// reports a "Data/" it cannot watch and lets the demo go on).
bool openSyncTracks(Demo& demo);
void startMusic(Demo& demo);
void startFileWatcher(Demo& demo);

}  // namespace quintaval
