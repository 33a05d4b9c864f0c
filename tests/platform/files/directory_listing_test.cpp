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
  std::filesystem::create_symlink(dir.path() / "a.jpg", dir.path() / "link.jpg");
  std::filesystem::create_symlink(dir.path() / "gone.jpg", dir.path() / "dangling.jpg");

  // Letters compare as upper case, so "_" (0x5F, between "Z" and "a") follows them all;
  // names equal when folded are ordered by bytes: "A.JPG" before "a.jpg".
  EXPECT_EQ(listFilesWithExtension(dir.path().string() + "/", ".jpg"),
            (std::vector<std::string>{".jpg", "A.JPG", "a.jpg", "B.jpg", "b.jpg", "c.Jpg",
                                      "link.jpg", "_x.jpg"}));
  EXPECT_TRUE(listFilesWithExtension((dir.path() / "absent/").string(), ".jpg").empty());
}

}  // namespace
}  // namespace quintaval
