// The catalogue of pictures, models and Maya files found by scanning directories: the
// order within a directory, directories in call order, and what is left out.
#include "assets/asset_catalogue.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

using Strings = std::vector<std::string>;

class AssetCatalogueTest : public ::testing::Test {
 protected:
  void touch(const Strings& files) {
    for (const std::string& file : files) dir_.write(file, "x");
  }

  testing::TempDir dir_;
  testing::ScopedWorkingDirectory cwd_{dir_.path()};
  AssetCatalogue catalogue_;
};

// JPEG, then PNG, OBJ and Maya files, each sorted by name (upper case first); other files
// and directories are left out.
TEST_F(AssetCatalogueTest, PatternsComeFirstThenNames) {
  touch({"Data/Textures/zebra.jpg", "Data/Textures/apple.png", "Data/Textures/Photo.JPG", "Data/Textures/misplaced.ma",
         "Data/Textures/cube.obj", "Data/Textures/cube.mtl", "Data/Textures/notes.txt"});
  std::filesystem::create_directories(dir_.path() / "Data/Textures/folder.png");
  catalogue_.scanDirectory("Data/Textures/");
  EXPECT_EQ(catalogue_.names(), (Strings{"Photo.JPG", "zebra.jpg", "apple.png", "cube.obj", "misplaced.ma"}));
  EXPECT_EQ(catalogue_.kinds(), (std::vector<std::int32_t>{kAssetImage, kAssetImage, kAssetImage, kAssetModel,
                                                           kAssetMaya}));
  EXPECT_EQ(catalogue_.paths()[1], "Data/Textures/zebra.jpg");
  EXPECT_EQ(catalogue_.count(), 5);
}

// A name found twice is listed twice; a missing or empty directory adds nothing.
TEST_F(AssetCatalogueTest, DirectoriesAppendInCallOrderKeepingDuplicates) {
  touch({"Data/Textures/shared.png", "Data/Models/Land.obj", "Data/Models/shared.png", "Data/Maya/CamCurve.ma"});
  std::filesystem::create_directories(dir_.path() / "Data/Empty");
  for (const char* directory : {"Data/Empty/", "Data/Textures/", "Data/Models/", "Data/Nowhere/", "Data/Maya/"}) {
    catalogue_.scanDirectory(directory);
  }
  EXPECT_EQ(catalogue_.names(), (Strings{"shared.png", "shared.png", "Land.obj", "CamCurve.ma"}));
  EXPECT_EQ(catalogue_.paths(), (Strings{"Data/Textures/shared.png", "Data/Models/shared.png", "Data/Models/Land.obj",
                                         "Data/Maya/CamCurve.ma"}));
  EXPECT_EQ(catalogue_.kinds(), (std::vector<std::int32_t>{kAssetImage, kAssetImage, kAssetModel, kAssetMaya}));
  EXPECT_EQ(catalogue_.count(), 4);
}

}  // namespace
}  // namespace quintaval
