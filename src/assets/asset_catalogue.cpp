// Each directory is searched once per pattern, in a fixed pattern order; the order of
// the patterns, not of the names, decides which group comes first.
#include "assets/asset_catalogue.h"

#include "platform/files/directory_listing.h"

namespace quintaval {
namespace {

struct Pattern {
  const char* extension;
  AssetKind kind;
};

constexpr Pattern kPatterns[] = {
    {".jpg", kAssetImage},
    {".png", kAssetImage},
    {".obj", kAssetModel},
    {".ma", kAssetMaya},
};

}  // namespace

void AssetCatalogue::scanDirectory(const std::string& directory) {
  for (const Pattern& pattern : kPatterns) {
    for (std::string& name : listFilesWithExtension(directory, pattern.extension)) {
      paths_.push_back(directory + name);
      names_.push_back(std::move(name));
      kinds_.push_back(pattern.kind);
      ++count_;
    }
  }
}

}  // namespace quintaval
