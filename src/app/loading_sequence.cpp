// Each file to load is a step, planned up front in the order the program has always
// loaded them. Picture and model steps are decoded or read by the workers, at most
// kPicturesAhead ahead of the step the main thread takes; Maya scenes are read by the
// main thread when their turn comes (they are small), and so are sequence ends, which
// sort a sequence once all of its pictures are in.
#include "app/loading_sequence.h"

#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "core/data_paths.h"
#include "platform/audio/music_decoder.h"
#include "render/model.h"
#include "render/solid_color_texture.h"

namespace quintaval {

namespace {

// Decoded pictures that may wait for their upload: enough to keep the workers busy while
// the main thread uploads, few enough not to hold much memory.
constexpr std::size_t kPicturesAhead = 8;
// The progress bar is drawn at most this often; each drawing costs a whole frame.
constexpr double kProgressInterval = 0.25;

double secondsNow() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::uint64_t fileBytes(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : static_cast<std::uint64_t>(size);
}

struct ModelRead {
  ModelData data;
  bool ok = false;
};

}  // namespace

struct LoadingSequence::Step {
  enum class Kind { kPicture, kModel, kMaya, kSequenceEnd };
  Kind kind;
  TextureLibrary* library;  // pictures and sequence ends
  std::string path;         // the file, or a sequence's directory
  std::string name;
  std::uint64_t bytes = 0;
  std::future<TextureLibrary::Picture> picture;
  std::future<ModelRead> model;
};

LoadingSequence::LoadingSequence(Demo& demo) : demo_(demo), workers_(TaskPool::defaultThreads()) {
  plan();
  submitAhead();
  // The music last: the pictures the window needs first come before it.
  musicBytes_ = fileBytes(kMusicPath);
  totalBytes_ += musicBytes_;
  music_ = workers_.submit([this]() -> std::shared_ptr<const DecodedMusic> {
    auto music = std::make_shared<DecodedMusic>();
    if (!decodeMusicFile(kMusicPath, *music, &musicFailure_)) return nullptr;
    return music;
  });
}

LoadingSequence::~LoadingSequence() = default;

void LoadingSequence::plan() {
  auto add = [this](std::vector<std::unique_ptr<Step>>& list, Step::Kind kind, TextureLibrary* library,
                    std::string path, std::string name) {
    auto step = std::make_unique<Step>();
    step->kind = kind;
    step->library = library;
    step->bytes = kind == Step::Kind::kSequenceEnd ? 0 : fileBytes(path);
    step->path = std::move(path);
    step->name = std::move(name);
    totalBytes_ += step->bytes;
    list.push_back(std::move(step));
  };
  for (const std::string& name : TextureLibrary::directoryFiles(kDataDir)) {
    add(baseSteps_, Step::Kind::kPicture, &demo_.baseLibrary, kDataDir + name, name);
  }
  add(baseSteps_, Step::Kind::kSequenceEnd, &demo_.baseLibrary, kDataDir, "");

  AssetCatalogue& catalogue = demo_.catalogue;
  for (const char* directory : {kTextureDir, kModelDir, kMayaDir}) catalogue.scanDirectory(directory);
  for (std::size_t i = 0; i < static_cast<std::size_t>(catalogue.count()); ++i) {
    const std::string& path = catalogue.paths()[i];
    const std::string& name = catalogue.names()[i];
    switch (catalogue.kinds()[i]) {
      case kAssetImage:
        add(steps_, Step::Kind::kPicture, &demo_.assetLibrary, path, name);
        break;
      case kAssetModel:
        add(steps_, Step::Kind::kModel, nullptr, path, name);
        break;
      case kAssetMaya:
        add(steps_, Step::Kind::kMaya, nullptr, path, name);
        break;
    }
  }
  for (int i = 0; i < kSequenceCount; ++i) {
    const std::string directory = kSequenceDirectories[i];
    for (const std::string& name : TextureLibrary::directoryFiles(directory)) {
      add(steps_, Step::Kind::kPicture, &demo_.sequences[i], directory + name, name);
    }
    add(steps_, Step::Kind::kSequenceEnd, &demo_.sequences[i], directory, "");
  }
  // The base pictures are needed first, for the loading picture.
  for (auto& step : baseSteps_) submit(*step);
}

void LoadingSequence::submit(Step& step) {
  const std::string path = step.path, name = step.name;
  if (step.kind == Step::Kind::kPicture) {
    step.picture = workers_.submit([path, name] { return TextureLibrary::decodePicture(path, name); });
  } else if (step.kind == Step::Kind::kModel) {
    step.model = workers_.submit([path] {
      ModelRead read;
      read.ok = Model::read(path, read.data);
      return read;
    });
  }
}

void LoadingSequence::submitAhead() {
  while (submitted_ < steps_.size() && submitted_ < taken_ + kPicturesAhead) submit(*steps_[submitted_++]);
}

void LoadingSequence::take(Step& step) {
  switch (step.kind) {
    case Step::Kind::kPicture:
      step.library->addPicture(step.picture.get());
      break;
    case Step::Kind::kModel: {
      ModelRead read = step.model.get();
      auto model = std::make_unique<Model>();
      model->setTextureLibrary(&demo_.assetLibrary);
      model->install(std::move(read.data), read.ok);
      demo_.models.add(std::move(model), step.name, step.path);
      break;
    }
    case Step::Kind::kMaya:
      demo_.maya.readMayaFile(step.path);
      break;
    case Step::Kind::kSequenceEnd:
      step.library->finishDirectory(step.path);
      break;
  }
  loadedBytes_ += step.bytes;
}

void LoadingSequence::loadBasePictures() {
  for (auto& step : baseSteps_) take(*step);
}

// Waits for the step's worker result with the window's events flowing and the progress
// bar drawn now and then. False when the viewer quit meanwhile.
bool LoadingSequence::waitFor(Step& step) {
  const auto slice = std::chrono::milliseconds(10);
  for (;;) {
    demo_.window.pollEvents();
    if (demo_.window.quitRequested()) return false;
    drawProgress(false);
    switch (step.kind) {
      case Step::Kind::kPicture:
        if (step.picture.wait_for(slice) == std::future_status::ready) return true;
        break;
      case Step::Kind::kModel:
        if (step.model.wait_for(slice) == std::future_status::ready) return true;
        break;
      default:
        return true;  // the main thread's own step
    }
  }
}

bool LoadingSequence::run() {
  drawProgress(true);
  for (taken_ = 0; taken_ < steps_.size(); ++taken_) {
    Step& step = *steps_[taken_];
    if (!waitFor(step)) return false;
    take(step);
    submitAhead();
  }
  demo_.textOverlay = std::make_unique<TextOverlay>(kTextScriptPath, demo_.shaders);
  demo_.textOverlay->setFontTexture(demo_.baseLibrary.textureByName(kFontPicture));
  return !demo_.window.quitRequested();
}

std::shared_ptr<const DecodedMusic> LoadingSequence::music(std::string& failure) {
  std::shared_ptr<const DecodedMusic> music = music_.valid() ? music_.get() : nullptr;
  failure = musicFailure_;
  return music;
}

// The loading picture over the whole picture area, and along its bottom a bar as long as
// the share of bytes loaded, both drawn by the post-processor.
void LoadingSequence::drawProgress(bool now) {
  const double time = secondsNow();
  if (!now && time - lastDrawn_ < kProgressInterval) return;
  lastDrawn_ = time;
  if (!musicCounted_ && music_.valid() && music_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
    musicCounted_ = true;
    loadedBytes_ += musicBytes_;
  }
  PostProcessor& post = *demo_.postProcessor;
  post.clear();
  post.drawTexture(demo_.baseLibrary.textureByName(kLoadingPicture), 1.0f);
  if (loadedBytes_ > 0 && totalBytes_ > 0) {
    if (barTexture_ == 0) barTexture_ = makeSolidColorTexture(Vec4{1.0f, 1.0f, 1.0f, 0.8f});
    GLint area[4];
    glGetIntegerv(GL_VIEWPORT, area);
    const double share = static_cast<double>(loadedBytes_) / static_cast<double>(totalBytes_);
    const GLsizei length = static_cast<GLsizei>(area[2] * std::min(share, 1.0));
    glViewport(area[0], area[1], length, std::max(2, area[3] / 120));
    post.clearDepth();  // the bar lies at the picture's depth, which the depth test would refuse
    post.drawTexture(barTexture_, 1.0f);
    glViewport(area[0], area[1], area[2], area[3]);
  }
  demo_.window.present();
}

}  // namespace quintaval
