#include "author/reloader.h"

#include <filesystem>

#include "app/demo.h"
#include "core/data_paths.h"
#include "core/error_report.h"
#include "platform/audio/music_decoder.h"

namespace quintaval {

void Reloader::apply(const ChangedAsset& change) {
  const std::string& name = change.name;
  bool done = false;
  std::string what;
  switch (change.kind) {
    case AssetChange::kShader:
      // A program that does not build says why in its own message.
      if (reloadShader(name)) return;
      what = "shader " + name;
      break;
    case AssetChange::kTrack:
      what = "track " + name;
      done = demo_.syncDevice && demo_.syncDevice->reloadTrack(name);
      break;
    case AssetChange::kSequence:
      what = std::string(kSequenceDirectories[change.sequence]) + name;
      done = reloadSequence(change.sequence, name);
      break;
    case AssetChange::kPicture:
      what = "picture " + name;
      done = demo_.assetLibrary.reloadImage(name) ||
             demo_.assetLibrary.loadImage(std::string(kTextureDir) + name, name);
      break;
    case AssetChange::kBasePicture:
      what = "picture " + name;
      done = reloadBasePicture(name);
      break;
    case AssetChange::kModel:
      what = "model " + name;
      done = demo_.models.reload(name, &demo_.assetLibrary);
      break;
    case AssetChange::kMaterials:
      what = "materials " + name;
      done = demo_.models.reload("", &demo_.assetLibrary);
      break;
    case AssetChange::kMaya:
      what = "Maya file " + name;
      done = demo_.maya.rereadMayaFile(std::string(kMayaDir) + name);
      break;
    case AssetChange::kTextScript:
      what = "text script";
      done = demo_.textOverlay && demo_.textOverlay->rereadTextScript(kTextScriptPath);
      break;
    case AssetChange::kMusic:
      // Decoding takes long: on a worker. A save during a decode is decoded after it.
      if (music_.valid()) {
        musicAgain_ = true;
      } else {
        decodeMusic();
      }
      return;
  }
  if (done) {
    log_.addNote("reloaded " + what);
  } else {
    reportError("Could not reload " + what + "; the last good version stays");
  }
}

bool Reloader::reloadShader(const std::string& name) {
  ShaderProgram* program = demo_.shaders.find(name);
  if (!program) return false;
  if (program->rebuild()) {
    log_.addNote("reloaded shader " + name);
  } else {
    reportError("Shader " + name + " does not build; the last good one stays:\n" + program->log());
  }
  return true;
}

bool Reloader::reloadSequence(int sequence, const std::string& file) {
  TextureSequence& frames = demo_.sequences[static_cast<std::size_t>(sequence)];
  // A frame that was there and still is: just that picture. A frame that came or went:
  // the list afresh.
  const bool exists = std::filesystem::exists(frames.directory() + file);
  if (exists && frames.textureByName(file) != 0) return frames.reloadImage(file);
  frames.reloadDirectory();
  return true;
}

bool Reloader::reloadBasePicture(const std::string& name) {
  if (!demo_.baseLibrary.reloadImage(name)) return false;
  if (name == kFontPicture && demo_.textOverlay) {
    demo_.textOverlay->setFontTexture(demo_.baseLibrary.textureByName(kFontPicture));
  }
  return true;
}

void Reloader::decodeMusic() {
  music_ = std::async(std::launch::async, [] {
    auto music = std::make_shared<DecodedMusic>();
    return decodeMusicFile(kMusicPath, *music) ? music : nullptr;
  });
  log_.addNote("decoding the music again");
}

void Reloader::finishPending() {
  if (!music_.valid() || music_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  std::shared_ptr<DecodedMusic> music = music_.get();
  if (musicAgain_) {
    musicAgain_ = false;
    decodeMusic();
    return;
  }
  if (!music) {
    reportError("Could not decode " + std::string(kMusicPath) + "; the last good music stays");
    return;
  }
  demo_.music.replaceMusic(std::move(music));
  log_.addNote("reloaded the music");
}

}  // namespace quintaval
