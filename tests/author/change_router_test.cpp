#include "author/change_router.h"

#include <gtest/gtest.h>

#include "author/change_batcher.h"

namespace quintaval {
namespace {

TEST(ChangeRouter, OneTableOfFolderAndExtension) {
  const struct {
    const char* path;
    AssetChange kind;
    const char* name;
    int sequence;
  } routed[] = {
      {"Shaders/Model.frag", AssetChange::kShader, "Model", -1},
      {"Shaders/Text.VERT", AssetChange::kShader, "Text", -1},
      {"Rocket/sync_scene.num.track", AssetChange::kTrack, "scene.num", -1},
      {"Textures/Music/frame003.jpg", AssetChange::kSequence, "frame003.jpg", 3},
      {"Textures/YoureBeingWatched6/f.PNG", AssetChange::kSequence, "f.PNG", 12},
      {"Textures/Land.jpg", AssetChange::kPicture, "Land.jpg", -1},
      {"Font.png", AssetChange::kBasePicture, "Font.png", -1},
      {"Loading.jpg", AssetChange::kBasePicture, "Loading.jpg", -1},
      {"Models/Zepp.obj", AssetChange::kModel, "Zepp.obj", -1},
      {"Models/Zepp.mtl", AssetChange::kMaterials, "Zepp.mtl", -1},
      {"Maya/CamCurve.ma", AssetChange::kMaya, "CamCurve.ma", -1},
      {"Text/Text.txt", AssetChange::kTextScript, "", -1},
      {"Sound/Musica.mp3", AssetChange::kMusic, "", -1},
  };
  for (const auto& r : routed) {
    const std::optional<ChangedAsset> change = routeChange(r.path);
    ASSERT_TRUE(change) << r.path;
    EXPECT_EQ(change->kind, r.kind) << r.path;
    EXPECT_EQ(change->name, r.name) << r.path;
    EXPECT_EQ(change->sequence, r.sequence) << r.path;
  }
  // Files the demo does not load: editors' temporary files, other folders and names.
  for (const char* ignored : {"Shaders/.Model.frag.swp", "Shaders/Model.frag~", "Rocket/scene.num.track",
                              "Rocket/sync_.track", "Textures/Unknown/a.jpg", "Other.png", "Text/Notes.txt",
                              "Sound/Other.mp3", "Models/Zepp.obj.tmp", "Maya", "Textures/Music/.hidden"}) {
    EXPECT_FALSE(routeChange(ignored)) << ignored;
  }
}

TEST(ChangeBatcher, HandsOnAPathOnceItHasBeenQuiet) {
  ChangeBatcher batcher;
  batcher.add({"Shaders/Model.frag", "Rocket/sync_fov.track", "Shaders/Model.frag"}, 1.0);
  EXPECT_TRUE(batcher.takeSettled(1.04).empty());
  batcher.add({"Rocket/sync_fov.track"}, 1.04);  // written again: waits anew
  EXPECT_EQ(batcher.takeSettled(1.05), std::vector<std::string>{"Shaders/Model.frag"});
  EXPECT_FALSE(batcher.empty());
  EXPECT_EQ(batcher.takeSettled(1.09), std::vector<std::string>{"Rocket/sync_fov.track"});
  EXPECT_TRUE(batcher.empty());
}

}  // namespace
}  // namespace quintaval
