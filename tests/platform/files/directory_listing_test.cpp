#include "platform/files/directory_listing.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

TEST(DirectoryListing, MatchesExtensionInAnyCaseAndSortsWithCaseFolded) {
  testing::TempDir dir;
  for (const char* name : {"b.jpg", "A.JPG", "a.jpg", "c.Jpg", "B.jpg", "_x.jpg", "photo.jpeg",
                           "jpg", "archive.jpg.txt", ".jpg"}) {
    dir.write(name, "x");
  }
  std::filesystem::create_directories(dir.path() / "folder.jpg");

  std::vector<std::string> names = listFilesWithExtension(dir.path().string() + "/", ".jpg");
  // Letters compare as upper case, so "_" (0x5F, between "Z" and "a") follows them all;
  // names equal when folded are ordered by bytes: "A.JPG" before "a.jpg".
  EXPECT_EQ(names, (std::vector<std::string>{".jpg", "A.JPG", "a.jpg", "B.jpg", "b.jpg", "c.Jpg",
                                             "_x.jpg"}));
}

TEST(DirectoryListing, MissingDirectoryAndFileInsteadOfDirectoryGiveNothing) {
  testing::TempDir dir;
  dir.write("plain.png", "x");
  EXPECT_TRUE(listFilesWithExtension((dir.path() / "absent/").string(), ".png").empty());
  EXPECT_TRUE(listFilesWithExtension((dir.path() / "plain.png").string(), ".png").empty());
}

TEST(DirectoryListing, FollowsLinksToFiles) {
  testing::TempDir dir;
  dir.write("real.png", "x");
  std::filesystem::create_symlink(dir.path() / "real.png", dir.path() / "link.png");
  std::filesystem::create_symlink(dir.path() / "gone.png", dir.path() / "dangling.png");
  EXPECT_EQ(listFilesWithExtension(dir.path().string(), ".png"),
            (std::vector<std::string>{"link.png", "real.png"}));
}

}  // namespace
}  // namespace quintaval
