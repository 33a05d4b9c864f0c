#include "app/loading_sequence.h"

#include "geometry/model.h"

namespace quintaval {

const char* const kSequenceDirectories[kSequenceCount] = {
    "Data/Textures/CodeMonkey/",         "Data/Textures/DrinkWater/",         "Data/Textures/Graphics/",
    "Data/Textures/Music/",              "Data/Textures/NotWatching/",        "Data/Textures/OMG/",
    "Data/Textures/Tunge/",              "Data/Textures/YoureBeingWatched1/", "Data/Textures/YoureBeingWatched2/",
    "Data/Textures/YoureBeingWatched3/", "Data/Textures/YoureBeingWatched4/", "Data/Textures/YoureBeingWatched5/",
    "Data/Textures/YoureBeingWatched6/",
};

namespace {

void showLoadingPicture(Demo& demo) {
  PostProcessor& post = *demo.postProcessor;
  post.clear();
  post.filterShader->use();
  post.drawTexture(demo.baseLibrary.textureByName("Loading.jpg"), 1.0f);
  post.present();
}

void loadCatalogue(Demo& demo) {
  for (const char* directory : {"Data/Textures/", "Data/Models/", "Data/Maya/"}) {
    demo.catalogue.scanDirectory(directory);
  }
  const AssetCatalogue& catalogue = demo.catalogue;
  for (int i = 0; i < catalogue.count(); ++i) {
    const std::string& name = catalogue.names()[i];
    const std::string& path = catalogue.paths()[i];
    switch (catalogue.kinds()[i]) {
      case kAssetImage:
        demo.assetLibrary.loadImage(path, name);
        break;
      case kAssetModel: {
        auto model = std::make_unique<Model>(path);
        model->setTextureLibrary(&demo.assetLibrary);
        model->setPostProcessor(demo.postProcessor.get());
        demo.models.add(std::move(model), name, path);
        break;
      }
      case kAssetMaya:
        demo.maya.readMayaFile(path);
        break;
    }
  }
}

}  // namespace

void runLoadingSequence(Demo& demo) {
  showLoadingPicture(demo);
  loadCatalogue(demo);
  for (int i = 0; i < kSequenceCount; ++i) demo.sequences[i].loadDirectory(kSequenceDirectories[i]);
  demo.textOverlay = std::make_unique<TextOverlay>("Data/Text/Text.txt");
  demo.textOverlay->setFontTexture(demo.baseLibrary.textureByName("Font.png"));
}

}  // namespace quintaval
