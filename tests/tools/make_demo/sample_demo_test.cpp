// The sample demo as the player sees it: the generator lays out the Data/ tree twice in
// scratch folders (the track compiler adds the sync tracks), the two trees must match byte
// for byte, and the first is read back with the program's own readers — pictures, models
// with their materials, the Maya scene, the text script, the tracks and the music —
// without a single error message. That the demo renders right is the golden-frame test's.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
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
#include "sync/sync_device.h"
#include "text/text_script.h"
#include "timeline/spectrum.h"

namespace quintaval {
namespace {

namespace fs = std::filesystem;
using testing::ScopedWorkingDirectory;
using testing::TempDir;

const char* const kSequences[] = {"CodeMonkey", "DrinkWater", "Graphics", "Music", "NotWatching",
                                  "OMG", "Tunge", "YoureBeingWatched1", "YoureBeingWatched2",
                                  "YoureBeingWatched3", "YoureBeingWatched4", "YoureBeingWatched5",
                                  "YoureBeingWatched6"};

// The file the generator leaves in a folder it generated.
const char* const kMarker = ".quintaval-make-demo";

// Runs a program with these arguments, its standard output thrown away; its exit status.
int run(std::initializer_list<std::string> words) {
  std::string command;
  for (const std::string& word : words) command += "'" + word + "' ";
  const int status = std::system((command + "> /dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool generate(const fs::path& data) {
  if (run({QV_MAKE_DEMO, data.string(), "--sources", QV_DEMO_SOURCES}) != 0) return false;
#ifdef QV_TRACKS_TOOL
  return run({QV_TRACKS_TOOL, "compile", QV_DEMO_SHEET, (data / "Rocket").string()}) == 0;
#endif
  return true;
}

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SampleDemoTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = new TempDir;
    generated_ = generate(first()) && generate(second());
  }
  static void TearDownTestSuite() { delete scratch_; }
  static fs::path first() { return scratch_->path() / "first" / "Data"; }
  static fs::path second() { return scratch_->path() / "second" / "Data"; }
  static std::string data(const std::string& relative) { return (first() / relative).string(); }

  void SetUp() override { ASSERT_TRUE(generated_) << "the generator or the track compiler failed"; }
  void TearDown() override { EXPECT_EQ(reporter_.messages(), std::vector<std::string>{}); }

  testing::RecordingReporter reporter_;
  static inline TempDir* scratch_ = nullptr;
  static inline bool generated_ = false;
};

// A folder with files the generator did not write is left alone: status 1, file unchanged.
TEST(MakeDemoToolTest, RefusesAFolderItDidNotGenerate) {
  TempDir dir;
  const fs::path song = dir.write("Data/Sound/Musica.mp3", "my song");
  EXPECT_EQ(run({QV_MAKE_DEMO, (dir.path() / "Data").string()}), 1);
  EXPECT_EQ(readBytes(song), "my song");
  EXPECT_FALSE(fs::exists(dir.path() / "Data" / kMarker));
}

TEST_F(SampleDemoTest, TwoGenerationsAreByteIdenticalAndSmallEnough) {
  // The marker that names the folder differs between the two; everything else is equal.
  EXPECT_TRUE(fs::is_regular_file(first() / kMarker));
  auto files = [](const fs::path& root) {
    std::map<std::string, std::string> bytes;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      if (entry.is_regular_file() && entry.path().filename() != kMarker) {
        bytes[fs::relative(entry.path(), root).string()] = readBytes(entry.path());
      }
    }
    return bytes;
  };
  const auto one = files(first()), two = files(second());
  ASSERT_EQ(one.size(), two.size());
  std::size_t total = 0;
  for (const auto& [name, bytes] : one) {
    EXPECT_TRUE(two.count(name) && two.at(name) == bytes) << name << " differs between two runs";
    total += bytes.size();
  }
  std::printf("tree: %zu files, %.1f MB\n", one.size(), total / 1048576.0);
  EXPECT_LT(total, 40u * 1024 * 1024);
}

TEST_F(SampleDemoTest, SequencesAreFullLoopsInFrameOrder) {
  std::set<std::string> formats;
  for (const char* name : kSequences) {
    std::vector<fs::path> frames;
    for (const auto& entry : fs::directory_iterator(first() / "Textures" / name)) {
      frames.push_back(entry.path());
      formats.insert(entry.path().extension().string());
    }
    std::sort(frames.begin(), frames.end());
    ASSERT_GE(frames.size(), 16u) << name;
    // Byte order is frame order, and the last frame repeats the first so that a saw on
    // "anim.pos" loops without a seam.
    for (size_t i = 0; i < frames.size(); ++i) {
      EXPECT_EQ(frames[i].stem().string(), "frame" + std::string(i < 10 ? "00" : "0") + std::to_string(i));
    }
    DecodedImage firstFrame, lastFrame;
    ASSERT_EQ(ImageDecoder::decode(frames.front().string(), firstFrame), DecodeStatus::kOk);
    ASSERT_EQ(ImageDecoder::decode(frames.back().string(), lastFrame), DecodeStatus::kOk);
    EXPECT_TRUE(firstFrame.pixels == lastFrame.pixels) << name;
  }
  EXPECT_EQ(formats, (std::set<std::string>{".jpg", ".png"}));
}

TEST_F(SampleDemoTest, FontHasWhiteGlyphsInTheCellOfTheirByte) {
  DecodedImage font;
  ASSERT_EQ(ImageDecoder::decode(data("Font.png"), font), DecodeStatus::kOk);
  ASSERT_EQ(std::make_pair(font.width, font.height), std::make_pair(1024, 1024));
  // The ink of byte c's 64-pixel cell (16 cells to a row from the top; decoded rows run
  // bottom-up): how many pixels, whether all are white, their mean height in the cell.
  struct Ink {
    int pixels = 0;
    bool white = true;
    double height = 0;
  };
  auto inkOf = [&](int c) {
    Ink ink;
    const int left = 64 * (c % 16), bottom = font.height - 64 * (c / 16 + 1);
    for (int y = bottom; y < bottom + 64; ++y) {
      for (int x = left; x < left + 64; ++x) {
        const unsigned char* p = &font.pixels[(static_cast<size_t>(y) * font.width + x) * 4];
        if (p[3] == 0) continue;
        ++ink.pixels;
        ink.height += y - bottom;
        ink.white = ink.white && (p[3] <= 128 || std::min({p[0], p[1], p[2]}) >= 250);
      }
    }
    if (ink.pixels > 0) ink.height /= ink.pixels;
    return ink;
  };
  for (int c = 33; c < 127; ++c) EXPECT_TRUE(inkOf(c).pixels > 20 && inkOf(c).white) << "byte " << c;
  for (int c : {0, 10, 31, 32, 127}) EXPECT_EQ(inkOf(c).pixels, 0) << "byte " << c;
  // Upright glyphs: '_' sits low in its cell and '^' high.
  EXPECT_LT(inkOf('_').height, 20);
  EXPECT_GT(inkOf('^').height, 40);
}

TEST_F(SampleDemoTest, ModelsAreWholeTrianglesWithMaterialsWhoseMapsAreCatalogued) {
  ScopedWorkingDirectory here(first().parent_path());
  AssetCatalogue catalogue;
  for (const char* dir : {"Data/Textures/", "Data/Models/", "Data/Maya/"}) catalogue.scanDirectory(dir);
  std::set<std::string> images, models;
  for (int i = 0; i < catalogue.count(); ++i) {
    if (catalogue.kinds()[i] == kAssetImage) images.insert(catalogue.names()[i]);  // pictures come first
    if (catalogue.kinds()[i] != kAssetModel) continue;
    const std::string& name = catalogue.names()[i];
    models.insert(name);
    ModelData model;
    ASSERT_TRUE(readObjFile(catalogue.paths()[i], model)) << name;
    model.buildDrawData();
    EXPECT_EQ(model.droppedFaces, 0) << name;
    ASSERT_FALSE(model.ranges.empty()) << name;
    for (const DrawRange& range : model.ranges) {
      EXPECT_EQ(range.primitive, kPrimitiveTriangles) << name;
      EXPECT_GE(range.material, 0) << name << ": faces without a material";
    }
    // A map the texture library does not hold binds no texture, without a message.
    for (const Material& material : model.materials) {
      for (const std::string* map : {&material.mapKa, &material.mapKd, &material.mapKs, &material.mapKe,
                                     &material.mapNs, &material.mapD, &material.mapBump}) {
        EXPECT_TRUE(map->empty() || images.count(*map)) << name << ": map " << *map << " not catalogued";
      }
    }
  }
  EXPECT_EQ(models, (std::set<std::string>{"Land.obj", "SkySphere.obj", "Zepp.obj"}));
}

TEST_F(SampleDemoTest, MayaSceneHoldsFourLightsAndAFlightPathInsideTheSky) {
  MayaScene scene;
  for (const char* file : {"CamCurve.ma", "Light1.ma", "Light2.ma", "Light3.ma", "AmbientLight.ma"}) {
    EXPECT_TRUE(scene.readMayaFile(data(std::string("Maya/") + file))) << file;
  }
  EXPECT_EQ(scene.pointLights().size(), 3u);
  EXPECT_EQ(scene.ambientLights().size(), 1u);
  // The flight stays above the land (whose highest point is 6.5) and close enough to the
  // centre that the sky sphere (radius 62) stays inside the far plane (100).
  for (int i = 0; i <= 200; ++i) {
    const Vec3 p = scene.pathPoint("CamCurve.ma", i / 200.0f);
    EXPECT_TRUE(p.y > 7.0f && std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z) < 38.0f) << "at " << i / 200.0;
  }
}

TEST_F(SampleDemoTest, TextScriptHasTenLinesInThreeSizesAndColoursThatFitTheScreen) {
  TextScript script;
  ASSERT_TRUE(readTextScript(data("Text/Text.txt"), script));
  ASSERT_GE(script.lines.size(), 10u);
  std::set<int> sizes;
  std::set<std::vector<float>> colours;
  for (const TextLine& line : script.lines) {
    const TextWord& word = line.words.front();
    sizes.insert(word.size);
    colours.insert({word.color.x, word.color.y, word.color.z});
    const std::string text = displayText(line);
    EXPECT_LE(script.placementX + word.size * static_cast<int>(text.size()), 1280) << text;
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
      EXPECT_TRUE(v[kCamShakeDatX] >= 0 && v[kCamShakeDatX] < 512 && v[kFov] > 20 && v[kFov] < 100)
          << "row " << row << ": shake at " << v[kCamShakeDatX] << ", field of view " << v[kFov];
    }
    const float line = v[kTextLine];
    if (line >= 0 && line - std::floor(line) > 0.5f) lines.insert(static_cast<int>(line));
  }
  EXPECT_EQ(scenes, (std::set<int>{1, 2, 3}));
  ASSERT_EQ(pictures.size(), 13u);
  EXPECT_EQ(std::make_pair(*pictures.begin(), *pictures.rbegin()), std::make_pair(1, 13));
  // Every line but the last is shown (the player never shows the last line of a script).
  EXPECT_EQ(lines.size(), script.lines.size() - 1);
#endif
}

TEST_F(SampleDemoTest, MusicIsLongEnoughWithTheKickInTheLowBins) {
  DecodedMusic music;
  ASSERT_TRUE(decodeMusicFile(data("Sound/Musica.mp3"), music));
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
