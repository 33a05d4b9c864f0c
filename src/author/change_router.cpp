#include "author/change_router.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

#include "core/data_paths.h"

namespace quintaval {
namespace {

struct Route {
  const char* folder;  // "" for Data/ itself
  std::initializer_list<const char*> extensions;
  AssetChange kind;
};

const Route kRoutes[] = {
    {"Shaders", {".vert", ".frag"}, AssetChange::kShader},
    {"Rocket", {".track"}, AssetChange::kTrack},
    {"Textures", {".jpg", ".png"}, AssetChange::kPicture},
    {"", {".jpg", ".png"}, AssetChange::kBasePicture},
    {"Models", {".obj"}, AssetChange::kModel},
    {"Models", {".mtl"}, AssetChange::kMaterials},
    {"Maya", {".ma"}, AssetChange::kMaya},
    {"Text", {".txt"}, AssetChange::kTextScript},
    {"Sound", {".mp3"}, AssetChange::kMusic},
};

std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The sequence whose folder is "Textures/<folder>/", or -1.
int sequenceNamed(const std::string& folder) {
  const std::string wanted = std::string(kTextureDir) + folder + "/";
  for (int i = 0; i < kSequenceCount; ++i) {
    if (wanted == kSequenceDirectories[i]) return i;
  }
  return -1;
}

std::optional<ChangedAsset> namedFile(AssetChange kind, const std::string& file, const std::string& stem) {
  switch (kind) {
    case AssetChange::kShader:
      return ChangedAsset{kind, stem};
    case AssetChange::kTrack: {
      // Track files are "sync_<track>.track"; the track name may hold dots.
      const std::string prefix = std::string(kSyncTrackBase).substr(std::string(kSyncTrackBase).rfind('/') + 1) + "_";
      if (stem.compare(0, prefix.size(), prefix) != 0 || stem.size() == prefix.size()) return std::nullopt;
      return ChangedAsset{kind, stem.substr(prefix.size())};
    }
    case AssetChange::kBasePicture:
      if (file != kLoadingPicture && file != kFontPicture) return std::nullopt;
      return ChangedAsset{kind, file};
    case AssetChange::kTextScript:
      if (std::string(kDataDir) + "Text/" + file != kTextScriptPath) return std::nullopt;
      return ChangedAsset{kind, ""};
    case AssetChange::kMusic:
      if (std::string(kDataDir) + "Sound/" + file != kMusicPath) return std::nullopt;
      return ChangedAsset{kind, ""};
    default:
      return ChangedAsset{kind, file};
  }
}

}  // namespace

std::optional<ChangedAsset> routeChange(const std::string& relativePath) {
  const std::size_t slash = relativePath.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : relativePath.substr(0, slash);
  const std::string file = relativePath.substr(slash == std::string::npos ? 0 : slash + 1);
  const std::size_t dot = file.rfind('.');
  if (dot == std::string::npos || dot == 0) return std::nullopt;
  const std::string extension = lowered(file.substr(dot));
  const std::string stem = file.substr(0, dot);

  // A frame of a picture sequence: "Textures/<sequence>/<file>".
  const std::string textures = "Textures/";
  if (folder.compare(0, textures.size(), textures) == 0 && (extension == ".jpg" || extension == ".png")) {
    const int sequence = sequenceNamed(folder.substr(textures.size()));
    if (sequence < 0) return std::nullopt;
    return ChangedAsset{AssetChange::kSequence, file, sequence};
  }
  for (const Route& route : kRoutes) {
    if (folder != route.folder) continue;
    for (const char* routeExtension : route.extensions) {
      if (extension == routeExtension) return namedFile(route.kind, file, stem);
    }
  }
  return std::nullopt;
}

}  // namespace quintaval
