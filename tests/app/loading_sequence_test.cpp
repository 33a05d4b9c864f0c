// Loading a small Data/ tree with the demo's window never opened: every catalogued
// picture, model and Maya scene, a picture sequence, the text overlay and the base
// pictures end up in the demo, with nothing reported; without a music file there is none.
#include "app/loading_sequence.h"

#include "assets/test_images.h"
#include "support/gl_fixture.h"

namespace quintaval {
namespace {

using LoadingSequenceTest = testing::GlFixture;

TEST_F(LoadingSequenceTest, LoadsEveryFileOfTheDataTreeIntoTheDemo) {
  // Four catalogued files (two pictures, a model, a Maya scene) fill the catalogue's lists
  // exactly, so a read past their end is a fault the sanitizer build reports.
  const testing::Rgba grey{128, 128, 128, 255};
  std::filesystem::create_directories("Data/Textures/Music");  // the fourth sequence
  for (const char* jpg : {"Data/Loading.jpg", "Data/Textures/Sky.jpg"}) ASSERT_TRUE(testing::writeJpg(jpg, 4, 4, grey));
  for (const char* png : {"Data/Font.png", "Data/Textures/Logo.png", "Data/Textures/Music/0001.png"}) {
    ASSERT_TRUE(testing::writePng(png, 4, 4, grey));
  }
  dir.write("Data/Models/Box.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
  dir.write("Data/Maya/Light1.ma", "//Maya ASCII 2018 scene\ncreateNode transform -n \"pointLight1\";\n"
                                   "createNode pointLight -n \"pointLightShape1\" -p \"pointLight1\";\n"
                                   "\tsetAttr -k off \".v\";\n\tsetAttr \".in\" 2;\n"
                                   "select -ne :time1;\n\tsetAttr \".o\" 1;\n");
  dir.write("Data/Text/Text.txt", "//Quintaval\nHello <end>\n");

  Demo demo;
  demo.postProcessor = std::make_unique<PostProcessor>(demo.shaders, false, kWidth, kHeight);
  LoadingSequence loading(demo);
  loading.loadBasePictures();
  ASSERT_TRUE(loading.run());

  for (const char* name : {"Sky.jpg", "Logo.png"}) EXPECT_NE(demo.assetLibrary.textureByName(name), 0u) << name;
  ASSERT_EQ(demo.models.count(), 1u);
  EXPECT_EQ(demo.models.name(0), "Box.obj");
  EXPECT_TRUE(demo.models.model(0).loaded());
  EXPECT_EQ(demo.maya.pointLightIntensity("Light1.ma"), 2.0f);
  EXPECT_NE(demo.sequences[3].textureByName("0001.png"), 0u);
  ASSERT_NE(demo.textOverlay, nullptr);
  EXPECT_EQ(demo.textOverlay->lines().size(), 1u);
  for (const char* name : {kLoadingPicture, kFontPicture}) EXPECT_NE(demo.baseLibrary.textureByName(name), 0u) << name;
  EXPECT_TRUE(reporter.messages().empty());
  std::string failure;
  EXPECT_EQ(loading.music(failure), nullptr);
  EXPECT_NE(failure, "");  // no Data/Sound/Musica.mp3, and why
}

}  // namespace
}  // namespace quintaval
