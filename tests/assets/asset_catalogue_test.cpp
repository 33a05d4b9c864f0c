#include "assets/asset_catalogue.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

class AssetCatalogueTest : public ::testing::Test {
 protected:
  void touch(const std::string& relative) { dir_.write(relative, "x"); }

  testing::TempDir dir_;
  testing::ScopedWorkingDirectory cwd_{dir_.path()};
  AssetCatalogue catalogue_;
};

TEST_F(AssetCatalogueTest, PatternsComeFirstThenNames) {
  for (const char* name : {"Data/Textures/zebra.jpg", "Data/Textures/apple.png",
                           "Data/Textures/Photo.JPG", "Data/Textures/misplaced.ma",
                           "Data/Textures/cube.obj", "Data/Textures/cube.mtl",
                           "Data/Textures/notes.txt"}) {
    touch(name);
  }
  std::filesystem::create_directories(dir_.path() / "Data/Textures/folder.png");
  catalogue_.scanDirectory("Data/Textures/");

  EXPECT_EQ(catalogue_.names(), (std::vector<std::string>{"Photo.JPG", "zebra.jpg", "apple.png",
                                                          "cube.obj", "misplaced.ma"}));
  EXPECT_EQ(catalogue_.kinds(), (std::vector<std::int32_t>{1, 1, 1, 2, 3}));
  EXPECT_EQ(catalogue_.paths()[1], "Data/Textures/zebra.jpg");
  EXPECT_EQ(catalogue_.count(), 5);
}

TEST_F(AssetCatalogueTest, DirectoriesAppendInCallOrderKeepingDuplicates) {
  touch("Data/Textures/shared.png");
  touch("Data/Models/Land.obj");
  touch("Data/Models/shared.png");
  touch("Data/Maya/CamCurve.ma");
  for (const char* directory : {"Data/Textures/", "Data/Models/", "Data/Maya/", "Data/Nowhere/"}) {
    catalogue_.scanDirectory(directory);
  }

  EXPECT_EQ(catalogue_.names(),
            (std::vector<std::string>{"shared.png", "shared.png", "Land.obj", "CamCurve.ma"}));
  EXPECT_EQ(catalogue_.paths(),
            (std::vector<std::string>{"Data/Textures/shared.png", "Data/Models/shared.png",
                                      "Data/Models/Land.obj", "Data/Maya/CamCurve.ma"}));
  EXPECT_EQ(catalogue_.kinds(), (std::vector<std::int32_t>{kAssetImage, kAssetImage, kAssetModel,
                                                           kAssetMaya}));
  EXPECT_EQ(catalogue_.count(), 4);
}

TEST_F(AssetCatalogueTest, MissingOrEmptyDirectoryAddsNothing) {
  std::filesystem::create_directories(dir_.path() / "Data/Maya");
  catalogue_.scanDirectory("Data/Maya/");
  catalogue_.scanDirectory("Data/Missing/");
  EXPECT_EQ(catalogue_.count(), 0);
  EXPECT_TRUE(catalogue_.names().empty());
  EXPECT_TRUE(catalogue_.paths().empty());
  EXPECT_TRUE(catalogue_.kinds().empty());
}

}  // namespace
}  // namespace quintaval
