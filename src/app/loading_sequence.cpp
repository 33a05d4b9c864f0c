#include "app/loading_sequence.h"

#include "core/data_paths.h"
#include "render/model.h"

namespace quintaval {

namespace {

void showLoadingPicture(Demo& demo) {
  PostProcessor& post = *demo.postProcessor;
  post.clear();
  post.filterShader->use();
  post.drawTexture(demo.baseLibrary.textureByName(kLoadingPicture), 1.0f);
  post.present();
}

void loadCatalogue(Demo& demo) {
  for (const char* directory : {kTextureDir, kModelDir, kMayaDir}) {
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
  demo.textOverlay = std::make_unique<TextOverlay>(kTextScriptPath);
  demo.textOverlay->setFontTexture(demo.baseLibrary.textureByName(kFontPicture));
}

}  // namespace quintaval
