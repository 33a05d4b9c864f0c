// The list of data files loaded without being named in advance: the images, OBJ models
// and Maya ASCII scenes of the directories the loading sequence scans.
//
// Entries are kept in three parallel lists (name, path, kind) in the order they were
// found: directory by directory, and within one directory all JPEG files, then PNG,
// OBJ and Maya files, each group sorted by name. Nothing is sorted across groups or
// directories, and a name found twice is listed twice.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quintaval {

enum AssetKind : std::int32_t {
  kAssetImage = 1,  // "*.jpg", "*.png": loaded into the asset texture library
  kAssetModel = 2,  // "*.obj": built into a model
  kAssetMaya = 3,   // "*.ma": read into the Maya scene
};

class AssetCatalogue {
 public:
  // Appends every matching file of `directory`, which ends with "/". A missing
  // directory, or one without matching files, adds nothing.
  void scanDirectory(const std::string& directory);

  std::int32_t count() const { return count_; }
  const std::vector<std::string>& names() const { return names_; }  // file names
  const std::vector<std::string>& paths() const { return paths_; }  // directory + name
  const std::vector<std::int32_t>& kinds() const { return kinds_; }  // AssetKind values

 private:
  std::vector<std::string> names_;
  std::vector<std::string> paths_;
  std::vector<std::int32_t> kinds_;
  std::int32_t count_ = 0;
};

}  // namespace quintaval
