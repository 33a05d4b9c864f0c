// The sample demo as the player sees it: the generator lays out the Data/ tree twice in
// scratch folders (the track compiler adds the sync tracks), the two trees must match byte
// for byte, and the first is read back with the program's own readers — images, models
// with their materials, the Maya scene, the text script, the tracks and the music —
// without a single error message.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "assets/asset_catalogue.h"
#include "assets/image_decoder.h"
#include "geometry/maya_scene.h"
#include "geometry/obj_reader.h"
#include "platform/audio/music_decoder.h"
#include "scenes/demo_tracks.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "text/text_script.h"
#include "timeline/spectrum.h"
#include "timeline/sync_device.h"

namespace quintaval {
namespace {

namespace fs = std::filesystem;
using testing::RecordingReporter;
using testing::ScopedWorkingDirectory;
using testing::TempDir;

const char* const kSequences[] = {"CodeMonkey", "DrinkWater", "Graphics", "Music", "NotWatching",
                                  "OMG", "Tunge", "YoureBeingWatched1", "YoureBeingWatched2",
                                  "YoureBeingWatched3", "YoureBeingWatched4", "YoureBeingWatched5",
                                  "YoureBeingWatched6"};

// The file the generator leaves in a folder it generated.
const char* const kMarker = ".quintaval-make-demo";

bool generate(const fs::path& data) {
  std::string command = std::string("'") + QV_MAKE_DEMO + "' '" + data.string() + "' --sources '" +
                        QV_DEMO_SOURCES + "' > /dev/null";
  if (std::system(command.c_str()) != 0) return false;
#ifdef QV_TRACKS_TOOL
  command = std::string("'") + QV_TRACKS_TOOL + "' compile '" + QV_DEMO_SHEET + "' '" +
            (data / "Rocket").string() + "'";
  if (std::system(command.c_str()) != 0) return false;
#endif
  return true;
}

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool isImage(const fs::path& path) { return path.extension() == ".jpg" || path.extension() == ".png"; }

class SampleDemoTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = new TempDir;
    const auto start = std::chrono::steady_clock::now();
    generated_ = generate(first()) && generate(second());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("two generations took %.1f s\n", took.count());
  }
  static void TearDownTestSuite() {
    delete scratch_;
    scratch_ = nullptr;
  }
  static fs::path first() { return scratch_->path() / "first" / "Data"; }
  static fs::path second() { return scratch_->path() / "second" / "Data"; }
  static std::string data(const std::string& relative) { return (first() / relative).string(); }

  void SetUp() override { ASSERT_TRUE(generated_) << "the generator or the track compiler failed"; }
  void TearDown() override { EXPECT_EQ(reporter_.messages(), std::vector<std::string>{}); }

  RecordingReporter reporter_;
  static TempDir* scratch_;
  static bool generated_;
};

TempDir* SampleDemoTest::scratch_ = nullptr;
bool SampleDemoTest::generated_ = false;

// A folder with files the generator did not write is left alone: status 1, file unchanged.
TEST(MakeDemoToolTest, RefusesAFolderItDidNotGenerate) {
  TempDir dir;
  const fs::path song = dir.write("Data/Sound/Musica.mp3", "my song");
  const std::string command = std::string("'") + QV_MAKE_DEMO + "' '" +
                              (dir.path() / "Data").string() + "' > /dev/null 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_EQ(readBytes(song), "my song");
  EXPECT_FALSE(fs::exists(dir.path() / "Data" / kMarker));
}

TEST_F(SampleDemoTest, TwoGenerationsAreByteIdenticalAndSmallEnough) {
  std::map<std::string, std::string> files;
  std::uintmax_t total = 0;
  // The marker that names the folder differs between the two; everything else is equal.
  EXPECT_TRUE(fs::is_regular_file(first() / kMarker));
  for (const auto& entry : fs::recursive_directory_iterator(first())) {
    if (!entry.is_regular_file() || entry.path().filename() == kMarker) continue;
    files[fs::relative(entry.path(), first()).string()] = readBytes(entry.path());
    total += entry.file_size();
  }
  std::set<std::string> secondNames;
  for (const auto& entry : fs::recursive_directory_iterator(second())) {
    if (entry.is_regular_file() && entry.path().filename() != kMarker) {
      secondNames.insert(fs::relative(entry.path(), second()).string());
    }
  }
  ASSERT_EQ(files.size(), secondNames.size());
  for (const auto& [name, bytes] : files) {
    ASSERT_TRUE(secondNames.count(name)) << name;
    EXPECT_TRUE(bytes == readBytes(second() / name)) << name << " differs between two runs";
  }
  std::printf("tree: %zu files, %.1f MB\n", files.size(), total / 1048576.0);
  EXPECT_LT(total, 40u * 1024 * 1024);
}

TEST_F(SampleDemoTest, EveryImageDecodesAndSequencesAreFullLoops) {
  int decoded = 0;
  for (const auto& entry : fs::recursive_directory_iterator(first())) {
    if (!entry.is_regular_file() || !isImage(entry.path())) continue;
    DecodedImage image;
    EXPECT_EQ(ImageDecoder::decode(entry.path().string(), image), DecodeStatus::ok) << entry.path();
    ++decoded;
  }
  EXPECT_GT(decoded, 13 * 16);

  std::set<std::string> formats;
  for (const char* name : kSequences) {
    std::vector<std::string> frames;
    for (const auto& entry : fs::directory_iterator(first() / "Textures" / name)) {
      frames.push_back(entry.path().filename().string());
      formats.insert(entry.path().extension().string());
    }
    std::sort(frames.begin(), frames.end());
    ASSERT_GE(frames.size(), 16u) << name;
    // Byte order is frame order, and the last frame repeats the first so that a saw on
    // "anim.pos" loops without a seam.
    for (size_t i = 0; i < frames.size(); ++i) {
      EXPECT_EQ(frames[i].substr(0, 8), "frame" + std::string(i < 10 ? "00" : "0") + std::to_string(i));
    }
    DecodedImage firstFrame, lastFrame;
    ASSERT_EQ(ImageDecoder::decode(data("Textures/" + std::string(name) + "/" + frames.front()), firstFrame),
              DecodeStatus::ok);
    ASSERT_EQ(ImageDecoder::decode(data("Textures/" + std::string(name) + "/" + frames.back()), lastFrame),
              DecodeStatus::ok);
    EXPECT_EQ(firstFrame.width, 1280);
    EXPECT_EQ(firstFrame.height, 720);
    EXPECT_TRUE(firstFrame.pixels == lastFrame.pixels) << name;
  }
  EXPECT_EQ(formats, (std::set<std::string>{".jpg", ".png"}));

  DecodedImage loading;
  ASSERT_EQ(ImageDecoder::decode(data("Loading.jpg"), loading), DecodeStatus::ok);
  EXPECT_EQ(loading.width, 1280);
}

TEST_F(SampleDemoTest, FontHasWhiteGlyphsInTheCellOfTheirByte) {
  DecodedImage font;
  ASSERT_EQ(ImageDecoder::decode(data("Font.png"), font), DecodeStatus::ok);
  ASSERT_EQ(font.width, 1024);
  ASSERT_EQ(font.height, 1024);
  const int cell = 64;
  // Decoded rows run bottom-up, so grid row r (counted from the top) is at the top of the
  // buffer's rows 1024 - 64 (r + 1) to 1024 - 64 r.
  // Ink pixels of a cell, whether they are all white, and their mean height in the cell.
  auto inkIn = [&](int c, bool& allWhite, double* height = nullptr) {
    int ink = 0;
    double sum = 0;
    allWhite = true;
    const int column = c % 16, row = c / 16;
    const int bottom = font.height - cell * (row + 1);
    for (int y = bottom; y < bottom + cell; ++y) {
      for (int x = cell * column; x < cell * (column + 1); ++x) {
        const unsigned char* p = &font.pixels[(static_cast<size_t>(y) * font.width + x) * 4];
        if (p[3] > 0) {
          ++ink;
          sum += y - bottom;
          if (p[3] > 128 && (p[0] < 250 || p[1] < 250 || p[2] < 250)) allWhite = false;
        }
      }
    }
    if (height != nullptr) *height = ink > 0 ? sum / ink : 0;
    return ink;
  };
  bool white = true;
  for (int c = 33; c < 127; ++c) {
    EXPECT_GT(inkIn(c, white), 20) << "byte " << c;
    EXPECT_TRUE(white) << "byte " << c;
  }
  for (int c : {0, 10, 31, 32, 127}) EXPECT_EQ(inkIn(c, white), 0) << "byte " << c;
  // Upright glyphs: '_' sits low in its cell and '^' high.
  double underscore = 0, caret = 0;
  inkIn('_', white, &underscore);
  inkIn('^', white, &caret);
  EXPECT_LT(underscore, 20);
  EXPECT_GT(caret, 40);
}

TEST_F(SampleDemoTest, ModelsParseWithMaterialsWhoseMapsAreCatalogued) {
  ScopedWorkingDirectory here(first().parent_path());
  AssetCatalogue catalogue;
  for (const char* dir : {"Data/Textures/", "Data/Models/", "Data/Maya/"}) catalogue.scanDirectory(dir);
  std::set<std::string> imageNames;
  std::map<std::string, std::string> models;
  for (int i = 0; i < catalogue.count(); ++i) {
    if (catalogue.kinds()[i] == kAssetImage) imageNames.insert(catalogue.names()[i]);
    if (catalogue.kinds()[i] == kAssetModel) models[catalogue.names()[i]] = catalogue.paths()[i];
  }
  ASSERT_EQ(models.size(), 3u);
  for (const char* name : {"Land.obj", "SkySphere.obj", "Zepp.obj"}) {
    ASSERT_TRUE(models.count(name)) << name;
    ModelData model;
    ASSERT_TRUE(readObjFile(models[name], model)) << name;
    model.buildDrawData();
    EXPECT_EQ(model.droppedFaces, 0) << name;
    EXPECT_FALSE(model.drawsAsPoints()) << name;
    ASSERT_FALSE(model.ranges.empty()) << name;
    std::set<int> used;
    for (const DrawRange& range : model.ranges) {
      EXPECT_EQ(range.primitive, kPrimitiveTriangles) << name;
      EXPECT_GE(range.material, 0) << name << ": faces without a material";
      used.insert(range.material);
    }
    for (const Material& material : model.materials) {
      for (const std::string* map : {&material.mapKa, &material.mapKd, &material.mapKs, &material.mapKe,
                                     &material.mapNs, &material.mapD, &material.mapBump}) {
        if (!map->empty()) {
          EXPECT_TRUE(imageNames.count(*map)) << name << ": map " << *map << " not catalogued";
        }
      }
    }
    // Every corner carries a position, a texture coordinate and a normal.
    EXPECT_EQ(model.vertexData.size(), static_cast<size_t>(model.vertexCount) * kFloatsPerVertex) << name;
    if (std::string(name) == "Land.obj") {
      EXPECT_GE(model.positions.size(), 201u * 201u);
      EXPECT_GE(model.vertexCount, 200 * 200 * 6);
      EXPECT_FALSE(model.materials.at(0).mapKd.empty());
    }
    if (std::string(name) == "Zepp.obj") {
      EXPECT_GE(used.size(), 3u);
      EXPECT_GE(model.groups.size(), 3u);
    }
  }
}

TEST_F(SampleDemoTest, MayaSceneHoldsTheFlightPathAndFourLights) {
  MayaScene scene;
  for (const char* file : {"CamCurve.ma", "Light1.ma", "Light2.ma", "Light3.ma", "AmbientLight.ma"}) {
    EXPECT_TRUE(scene.readMayaFile(data(std::string("Maya/") + file))) << file;
  }
  ASSERT_EQ(scene.paths().size(), 1u);
  EXPECT_EQ(scene.paths()[0].name, "CamCurve.ma");
  EXPECT_GE(scene.paths()[0].segmentCount, 8);
  ASSERT_EQ(scene.pointLights().size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(scene.pointLights()[i].name, "Light" + std::to_string(i + 1) + ".ma");
  ASSERT_EQ(scene.ambientLights().size(), 1u);
  EXPECT_LT(scene.ambientLightColor("AmbientLight.ma").x, 1.0f);
  // The flight stays above the land (whose highest point is 6.5) and close enough to the
  // centre that the sky sphere (radius 62) stays inside the far plane (100).
  for (int i = 0; i <= 200; ++i) {
    const Vec3 p = scene.pathPoint("CamCurve.ma", i / 200.0f);
    EXPECT_GT(p.y, 7.0f) << "at " << i / 200.0;
    EXPECT_LT(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 38.0f) << "at " << i / 200.0;
  }
}

TEST_F(SampleDemoTest, TextScriptHasTenLinesThatFitTheScreen) {
  TextScript script;
  ASSERT_TRUE(readTextScript(data("Text/Text.txt"), script));
  ASSERT_GE(script.lines.size(), 10u);
  std::set<int> sizes;
  std::set<std::vector<float>> colours;
  for (const TextLine& line : script.lines) {
    const TextWord& word = line.words.front();
    sizes.insert(word.size);
    colours.insert({word.color.x, word.color.y, word.color.z});
    EXPECT_LE(script.placementX + word.size * static_cast<int>(displayText(line).size()), 1280)
        << displayText(line);
  }
  EXPECT_GE(sizes.size(), 3u);
  EXPECT_GE(colours.size(), 3u);
}

TEST_F(SampleDemoTest, TracksDirectEveryScenePictureAndLine) {
#ifndef QV_TRACKS_TOOL
  GTEST_SKIP() << "quintaval-tracks is not built";
#else
  auto device = SyncDevice::create(data("Rocket/sync"));
  ASSERT_TRUE(device);
  std::set<int> types;
  for (const char* name : kDemoTrackNames) {
    const SyncTrack* track = device->getTrack(name);
    ASSERT_FALSE(track->keys.empty()) << name;
    for (const SyncKey& key : track->keys) types.insert(key.type);
  }
  EXPECT_EQ(types, (std::set<int>{kSyncStep, kSyncLinear, kSyncSmooth, kSyncRamp}));

  TextScript script;
  ASSERT_TRUE(readTextScript(data("Text/Text.txt"), script));
  DemoTracks tracks;
  tracks.request(*device);
  std::set<int> scenes, pictures, lines;
  for (double row = 0; row <= 1792; row += 0.5) {
    const TrackValues v = tracks.evaluate(row);
    scenes.insert(static_cast<int>(v[kSceneNum]));
    if (v[kSceneNum] == 1.0f || v[kSceneNum] == 3.0f) pictures.insert(static_cast<int>(v[kAnimNum]));
    if (v[kSceneNum] == 2.0f) {
      EXPECT_GE(v[kCamShakeDatX], 0.0f);
      EXPECT_LT(v[kCamShakeDatX], 512.0f);
      EXPECT_GT(v[kFov], 20.0f);
      EXPECT_LT(v[kFov], 100.0f);
    }
    if (v[kTextLine] >= 0 && v[kTextLine] - std::floor(v[kTextLine]) > 0.5f) {
      lines.insert(static_cast<int>(v[kTextLine]));
    }
  }
  EXPECT_EQ(scenes, (std::set<int>{1, 2, 3}));
  EXPECT_EQ(pictures.size(), 13u);
  EXPECT_EQ(*pictures.begin(), 1);
  EXPECT_EQ(*pictures.rbegin(), 13);
  // Every line but the last is shown (the player never shows the last line of a script).
  EXPECT_EQ(lines.size(), script.lines.size() - 1);
#endif
}

TEST_F(SampleDemoTest, MusicIsLongEnoughWithTheKickInTheLowBins) {
  DecodedMusic music;
  ASSERT_TRUE(decodeMusicFile(data("Sound/Musica.mp3"), music));
  EXPECT_EQ(music.sampleRate, 44100);
  EXPECT_EQ(music.channels, 2);
  EXPECT_GE(music.seconds(), 132.0);
  // At 120 beats per minute the kick starts every 0.5 s; bin 1 (about 43 Hz) must peak just
  // after the beat and fall back before the next one, in every section the 3D scenes shake to.
  float spectrum[kSpectrumBins];
  for (double section : {32.0, 64.0, 96.0}) {
    double onBeat = 0, offBeat = 0;
    for (int beat = 0; beat < 16; ++beat) {
      computeSpectrum(music, section + beat * 0.5 + 0.03, spectrum);
      onBeat += spectrum[1];
      computeSpectrum(music, section + beat * 0.5 + 0.4, spectrum);
      offBeat += spectrum[1];
    }
    EXPECT_GT(onBeat / 16, 0.15) << "section at " << section << " s";
    EXPECT_GT(onBeat, 3 * offBeat) << "section at " << section << " s";
  }
}

}  // namespace
}  // namespace quintaval
