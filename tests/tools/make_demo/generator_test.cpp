// The generator's building blocks, checked with the player's own readers: pictures come
// out upright and in the right colours, OBJ text reads back as written, and the output
// tree copies, empties and claims folders and reports what it could not write.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "assets/image_decoder.h"
#include "canvas.h"
#include "demo_tree.h"
#include "geometry/obj_reader.h"
#include "obj_writer.h"
#include "support/temp_dir.h"

namespace quintaval::demo {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(CanvasTest, FilesAreUprightWithChannelsInOrderAndAlphaKept) {
  TempDir dir;
  const struct {
    const char* file;
    bool opaque;
  } cases[] = {{"m.jpg", true}, {"m.png", true}, {"a.png", false}};
  for (const auto& c : cases) {
    // The left three quarters red on top and blue below, the left quarter green over both;
    // the right quarter stays as the canvas starts, clear when it is transparent.
    Canvas canvas(64, 32, c.opaque);
    const struct {
      double r, g, b, x, y, width, height;
    } fills[] = {{1, 0, 0, 0, 0, 48, 16}, {0, 0, 1, 0, 16, 48, 16}, {0, 1, 0, 0, 0, 16, 32}};
    for (const auto& f : fills) {
      cairo_set_source_rgb(canvas.cr(), f.r, f.g, f.b);
      cairo_rectangle(canvas.cr(), f.x, f.y, f.width, f.height);
      cairo_fill(canvas.cr());
    }
    const std::string path = (dir.path() / c.file).string();
    ASSERT_TRUE(fs::path(path).extension() == ".jpg" ? canvas.saveJpeg(path) : canvas.savePng(path));
    DecodedImage image;
    ASSERT_EQ(ImageDecoder::decode(path, image), DecodeStatus::kOk) << path;
    ASSERT_EQ(std::make_pair(image.width, image.height), std::make_pair(64, 32)) << path;
    // Pixel (x, y) with y counted from the top of the picture; decoded rows run bottom-up.
    auto pixel = [&](int x, int y) { return &image.pixels[(static_cast<size_t>(31 - y) * 64 + x) * 4]; };
    const unsigned char *top = pixel(40, 4), *bottom = pixel(40, 28), *left = pixel(4, 16);
    EXPECT_TRUE(top[0] > 200 && top[2] < 60 && top[3] == 255) << path << ": top not red";
    EXPECT_TRUE(bottom[2] > 200 && bottom[0] < 60) << path << ": bottom not blue";
    EXPECT_GT(left[1], 200) << path << ": left not green";
    EXPECT_EQ(pixel(60, 4)[3], c.opaque ? 255 : 0) << path << ": right quarter";
  }
  Canvas canvas(8, 8);
  EXPECT_FALSE(canvas.saveJpeg("/nonexistent-folder/x.jpg"));
  EXPECT_FALSE(canvas.savePng("/nonexistent-folder/x.png"));
}

TEST(ObjWriterTest, TextReadsBackAsTrianglesWithEveryRecordAndMaterial) {
  ObjWriter obj("test", "t.mtl");
  obj.group("One");
  obj.useMaterial("A");
  const int a = obj.vertex({0, 0, 0}, 0, 0, {0, 1, 0});
  const int b = obj.vertex({1.25, -0.5, 2}, 1, 0, {0, 1, 0});
  const int c = obj.vertex({-0.00001, 0, -3.00004}, 0.5, 1, {0, 0, -1});
  obj.triangle(a, b, c);
  obj.group("Two");
  obj.useMaterial("B");
  obj.triangle(c, b, a);
  // Numbers are short, and never a negative zero.
  EXPECT_NE(obj.text().find("v 0 0 -3\n"), std::string::npos) << obj.text();

  ModelData model;
  model.materials.resize(2);
  model.materials[0].name = "A";
  model.materials[1].name = "B";
  readObjText(obj.text(), "", model);
  model.buildDrawData();
  ASSERT_EQ(model.positions.size(), 3u);
  EXPECT_FLOAT_EQ(model.positions[1].x, 1.25f);
  EXPECT_FLOAT_EQ(model.positions[1].y, -0.5f);
  EXPECT_EQ(model.droppedFaces, 0);
  ASSERT_EQ(model.ranges.size(), 2u);
  EXPECT_EQ(model.ranges[0].material, 0);
  EXPECT_EQ(model.ranges[1].material, 1);
  EXPECT_EQ(model.ranges[1].count, 3);
  ASSERT_EQ(model.vertexData.size(), 6u * kFloatsPerVertex);
  // The second triangle's first corner is vertex c with its own coordinate and normal.
  EXPECT_FLOAT_EQ(model.vertexData[3 * kFloatsPerVertex + 4], 1.0f);
  EXPECT_FLOAT_EQ(model.vertexData[3 * kFloatsPerVertex + 7], -1.0f);
  EXPECT_EQ(compactNumber(12.345678), "12.3457");
}

TEST(DemoTreeTest, CopiesMatchingFilesEmptiesSequencesAndReportsWhatItCannotWrite) {
  TempDir dir;
  dir.write("src/a.ma", "//Maya\n");
  dir.write("src/b.txt", "x");
  dir.write("Data/Textures/OMG/frame999.jpg", "old");
  DemoTree tree(dir.path() / "Data");
  tree.makeDirectory("Maya");
  EXPECT_EQ(tree.copyFiles(dir.path() / "src", ".ma", "Maya"), 1);
  EXPECT_TRUE(fs::exists(dir.path() / "Data/Maya/a.ma"));
  EXPECT_FALSE(fs::exists(dir.path() / "Data/Maya/b.txt"));
  tree.resetDirectory("Textures/OMG");
  EXPECT_TRUE(fs::is_directory(dir.path() / "Data/Textures/OMG"));
  EXPECT_FALSE(fs::exists(dir.path() / "Data/Textures/OMG/frame999.jpg"));
  EXPECT_FALSE(tree.failed());

  tree.writeFile("Missing/folder/x.bin", "bytes");
  EXPECT_TRUE(tree.failed());
}

TEST(DemoTreeTest, ClaimsOnlyMissingEmptyOrItsOwnFoldersUnlessForced) {
  TempDir dir;
  ASSERT_TRUE(DemoTree(dir.path() / "own").claim(false));
  dir.write("own/Sound/Musica.mp3", "generated");
  fs::create_directories(dir.path() / "empty");
  dir.write("mine/Sound/Musica.mp3", "my song");
  fs::create_directories(dir.path() / "copy");  // a copy of a generated tree, marker included
  fs::copy_file(dir.path() / "own" / kGeneratedMarker, dir.path() / "copy" / kGeneratedMarker);
  dir.write("file", "x");
  // allowed: this claim succeeds; mine: a later claim without --force succeeds too.
  const struct {
    const char* folder;
    bool force, allowed, mine;
  } cases[] = {
      {"missing/Data", false, true, true}, {"empty", false, true, true},
      {"own", false, true, true},          {"mine", false, false, false},
      {"copy", false, false, false},       {"mine", true, true, false},
      {"file", true, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DemoTree(dir.path() / c.folder).claim(c.force), c.allowed) << c.folder << c.force;
    EXPECT_EQ(DemoTree(dir.path() / c.folder).claim(false), c.mine) << c.folder << c.force;
  }
}

}  // namespace
}  // namespace quintaval::demo
