#include "author/reloader.h"

#include <filesystem>
#include <utility>
#include <vector>

#include "app/demo.h"
#include "core/data_paths.h"
#include "core/error_report.h"
#include "platform/audio/music_decoder.h"

namespace quintaval {

namespace {

// Takes what an owner reports while it reloads, so that a save that does not load makes
// one log entry, which says why.
class OwnerMessages : public ErrorReporter {
 public:
  OwnerMessages() : previous_(setErrorReporter(this)) {}
  ~OwnerMessages() override { finish(); }
  OwnerMessages(const OwnerMessages&) = delete;
  OwnerMessages& operator=(const OwnerMessages&) = delete;

  void show(const std::string& message, bool) override { messages_.push_back(message); }
  bool showsDetails() const override { return true; }
  // Puts the previous reporter back and hands over what was reported.
  std::vector<std::string> finish() {
    if (previous_ != this) setErrorReporter(std::exchange(previous_, this));
    return std::move(messages_);
  }

 private:
  ErrorReporter* previous_;
  std::vector<std::string> messages_;
};

}  // namespace

void Reloader::apply(const ChangedAsset& change) {
  const std::string& name = change.name;
  switch (change.kind) {
    case AssetChange::kShader:
      // A program that does not build says why in its own message.
      if (reloadShader(name)) return;
      break;
    case AssetChange::kMusic:
      // Decoding takes long: on a worker. A save during a decode is decoded after it.
      if (music_.valid()) {
        musicAgain_ = true;
      } else {
        decodeMusic();
      }
      return;
    default:
      break;
  }
  std::string what;
  OwnerMessages owner;
  const bool done = reload(change, what);
  const std::vector<std::string> messages = owner.finish();
  if (done) {
    // What went wrong inside a reload that worked (a frame of a sequence listed afresh
    // that does not load) is still worth its own entry.
    for (const std::string& message : messages) reportError(message);
    log_.addNote("reloaded " + what);
    return;
  }
  std::string reasons;
  for (const std::string& message : messages) reasons += (reasons.empty() ? ": " : "\n") + message;
  reportError("Could not reload " + what + "; the last good version stays" + reasons);
}

bool Reloader::reload(const ChangedAsset& change, std::string& what) {
  const std::string& name = change.name;
  switch (change.kind) {
    case AssetChange::kShader:
      what = "shader " + name;
      return false;  // no program of that name
    case AssetChange::kTrack:
      what = "track " + name;
      return demo_.syncDevice && demo_.syncDevice->reloadTrack(name);
    case AssetChange::kSequence:
      what = std::string(kSequenceDirectories[change.sequence]) + name;
      return reloadSequence(change.sequence, name);
    case AssetChange::kPicture:
      what = "picture " + name;
      // A picture saved for the first time joins the library.
      return demo_.assetLibrary.textureByName(name) != 0
                 ? demo_.assetLibrary.reloadImage(name)
                 : demo_.assetLibrary.loadImage(std::string(kTextureDir) + name, name);
    case AssetChange::kBasePicture:
      what = "picture " + name;
      return reloadBasePicture(name);
    case AssetChange::kModel:
      what = "model " + name;
      return demo_.models.reload(name, &demo_.assetLibrary);
    case AssetChange::kMaterials:
      what = "materials " + name;
      return demo_.models.reload("", &demo_.assetLibrary);
    case AssetChange::kMaya:
      what = "Maya file " + name;
      return demo_.maya.rereadMayaFile(std::string(kMayaDir) + name);
    case AssetChange::kTextScript:
      what = "text script";
      return demo_.textOverlay && demo_.textOverlay->rereadTextScript(kTextScriptPath);
    case AssetChange::kMusic:
      break;
  }
  return false;
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
    MusicDecode decode{std::make_shared<DecodedMusic>(), std::string()};
    if (!decodeMusicFile(kMusicPath, *decode.music, &decode.failure)) decode.music.reset();
    return decode;
  });
  log_.addNote("decoding the music again");
}

void Reloader::finishPending() {
  if (!music_.valid() || music_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  MusicDecode decode = music_.get();
  if (musicAgain_) {
    musicAgain_ = false;
    decodeMusic();
    return;
  }
  if (!decode.music) {
    reportError("Could not decode the music; the last good music stays:", decode.failure);
    return;
  }
  demo_.music.replaceMusic(std::move(decode.music));
  log_.addNote("reloaded the music");
}

}  // namespace quintaval
