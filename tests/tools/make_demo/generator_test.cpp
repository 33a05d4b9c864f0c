// The generator's building blocks, checked with the player's own readers: pictures come
// out upright and in the right colours, OBJ text reads back as written, and the output
// tree reports what it could not write.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "assets/image_decoder.h"
#include "canvas.h"
#include "demo_tree.h"
#include "geometry/obj_reader.h"
#include "obj_writer.h"
#include "sequences.h"
#include "support/temp_dir.h"

namespace quintaval::demo {
namespace {

using testing::TempDir;

// Red in the top half, blue in the bottom half, and a green left quarter on top of both.
void paintMarkers(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_rectangle(cr, 0, 0, canvas.width(), canvas.height() / 2.0);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0, 0, 1);
  cairo_rectangle(cr, 0, canvas.height() / 2.0, canvas.width(), canvas.height() / 2.0);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0, 1, 0);
  cairo_rectangle(cr, 0, 0, canvas.width() / 4.0, canvas.height());
  cairo_fill(cr);
}

// Pixel (x, y) with y counted from the top of the picture; decoded rows run bottom-up.
const unsigned char* pixelFromTop(const DecodedImage& image, int x, int y) {
  return &image.pixels[(static_cast<size_t>(image.height - 1 - y) * image.width + x) * 4];
}

TEST(CanvasTest, JpegAndPngFilesAreUprightWithChannelsInOrder) {
  TempDir dir;
  Canvas canvas(64, 32);
  paintMarkers(canvas);
  const std::string jpeg = (dir.path() / "m.jpg").string(), png = (dir.path() / "m.png").string();
  ASSERT_TRUE(canvas.saveJpeg(jpeg));
  ASSERT_TRUE(canvas.savePng(png));
  for (const std::string& path : {jpeg, png}) {
    DecodedImage image;
    ASSERT_EQ(ImageDecoder::decode(path, image), DecodeStatus::ok) << path;
    ASSERT_EQ(image.width, 64);
    ASSERT_EQ(image.height, 32);
    const unsigned char* top = pixelFromTop(image, 48, 4);
    const unsigned char* bottom = pixelFromTop(image, 48, 28);
    const unsigned char* left = pixelFromTop(image, 4, 16);
    EXPECT_GT(top[0], 200) << path;
    EXPECT_LT(top[2], 60) << path;
    EXPECT_GT(bottom[2], 200) << path;
    EXPECT_LT(bottom[0], 60) << path;
    EXPECT_GT(left[1], 200) << path;
    EXPECT_EQ(top[3], 255) << path;
  }
}

TEST(CanvasTest, TransparentPngKeepsItsAlpha) {
  TempDir dir;
  Canvas canvas(16, 16, false);
  canvas.clear(0, 0, 0, 0);
  cairo_set_source_rgb(canvas.cr(), 1, 1, 1);
  cairo_rectangle(canvas.cr(), 0, 0, 8, 16);
  cairo_fill(canvas.cr());
  const std::string path = (dir.path() / "a.png").string();
  ASSERT_TRUE(canvas.savePng(path));
  DecodedImage image;
  ASSERT_EQ(ImageDecoder::decode(path, image), DecodeStatus::ok);
  EXPECT_EQ(pixelFromTop(image, 2, 2)[3], 255);
  EXPECT_EQ(pixelFromTop(image, 2, 2)[0], 255);
  EXPECT_EQ(pixelFromTop(image, 12, 2)[3], 0);
}

TEST(CanvasTest, UnwritablePathFails) {
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
  const int c = obj.vertex({0, 0, -3.00004}, 0.5, 1, {0, 0, -1});
  obj.triangle(a, b, c);
  obj.group("Two");
  obj.useMaterial("B");
  obj.triangle(c, b, a);

  ModelData model;
  model.materials.resize(2);
  model.materials[0].name = "A";
  model.materials[1].name = "B";
  readObjText(obj.text(), "", model);
  model.buildDrawData();
  ASSERT_EQ(model.positions.size(), 3u);
  EXPECT_FLOAT_EQ(model.positions[1].x, 1.25f);
  EXPECT_FLOAT_EQ(model.positions[1].y, -0.5f);
  EXPECT_FLOAT_EQ(model.positions[2].z, -3.0f);
  EXPECT_EQ(model.droppedFaces, 0);
  ASSERT_EQ(model.ranges.size(), 2u);
  EXPECT_EQ(model.ranges[0].material, 0);
  EXPECT_EQ(model.ranges[1].material, 1);
  EXPECT_EQ(model.ranges[1].count, 3);
  EXPECT_EQ(model.vertexData.size(), 6u * kFloatsPerVertex);
  // The second triangle's first corner is vertex c with its own coordinate and normal.
  EXPECT_FLOAT_EQ(model.vertexData[3 * kFloatsPerVertex + 4], 1.0f);
  EXPECT_FLOAT_EQ(model.vertexData[3 * kFloatsPerVertex + 7], -1.0f);
}

TEST(ObjWriterTest, NumbersAreShortAndNeverNegativeZero) {
  EXPECT_EQ(compactNumber(1.0), "1");
  EXPECT_EQ(compactNumber(-0.25), "-0.25");
  EXPECT_EQ(compactNumber(-0.00001), "0");
  EXPECT_EQ(compactNumber(12.345678), "12.3457");
  EXPECT_EQ(compactNumber(0.0), "0");
}

TEST(SequenceTest, FrameNamesSortInFrameOrderAndMixFormats) {
  for (int i = 0; i + 1 < 1000; ++i) {
    EXPECT_LT(frameFileName(i, FrameFormat::Jpeg), frameFileName(i + 1, FrameFormat::Jpeg)) << i;
  }
  EXPECT_EQ(frameFileName(3, FrameFormat::Alternating), "frame003.png");
  EXPECT_EQ(frameFileName(4, FrameFormat::Alternating), "frame004.jpg");
  EXPECT_EQ(sequenceSpecs().size(), 13u);
}

TEST(DemoTreeTest, ReportsWhatItCannotWriteAndCopiesOnlyMatchingFiles) {
  TempDir dir;
  dir.write("src/a.ma", "//Maya\n");
  dir.write("src/b.txt", "x");
  DemoTree tree(dir.path() / "Data");
  tree.makeDirectory("Maya");
  EXPECT_EQ(tree.copyFiles(dir.path() / "src", ".ma", "Maya"), 1);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "Data/Maya/a.ma"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Data/Maya/b.txt"));
  EXPECT_FALSE(tree.failed());

  tree.writeFile("Missing/folder/x.bin", "bytes");
  EXPECT_TRUE(tree.failed());
}

TEST(DemoTreeTest, ResetDirectoryRemovesOldFrames) {
  TempDir dir;
  dir.write("Data/Textures/OMG/frame999.jpg", "old");
  DemoTree tree(dir.path() / "Data");
  tree.resetDirectory("Textures/OMG");
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Data/Textures/OMG"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Data/Textures/OMG/frame999.jpg"));
  EXPECT_FALSE(tree.failed());
}

TEST(DemoTreeTest, ClaimsOnlyMissingEmptyOrItsOwnFoldersUnlessForced) {
  namespace fs = std::filesystem;
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
