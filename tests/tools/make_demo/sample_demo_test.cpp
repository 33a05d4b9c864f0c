// The sample demo as the player sees it: the generator lays out the Data/ tree twice in
// scratch folders (the track compiler adds the sync tracks), the two trees must match byte
// for byte, and the first is read back with the program's own readers — pictures, models
// with their materials, the Maya scene, the text script, the tracks and the music —
// without a single error message. That the demo renders right is the golden-frame test's.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
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
#include "core/data_paths.h"
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
using testing::TempDir;

const char* const kMarker = ".quintaval-make-demo";  // left in a folder the generator made

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
    generated_ = generate(tree(0)) && generate(tree(1));
  }
  static void TearDownTestSuite() { delete scratch_; }
  static fs::path tree(int i) { return scratch_->path() / (i == 0 ? "first" : "second") / "Data"; }
  static std::string data(const std::string& relative) { return (tree(0) / relative).string(); }

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

// The marker that names the folder differs between the two; everything else is equal.
TEST_F(SampleDemoTest, TwoGenerationsAreByteIdenticalAndSmallEnough) {
  EXPECT_TRUE(fs::is_regular_file(tree(0) / kMarker));
  std::map<std::string, std::string> files[2];
  std::size_t total = 0;
  for (int i = 0; i < 2; ++i) {
    for (const auto& entry : fs::recursive_directory_iterator(tree(i))) {
      if (!entry.is_regular_file() || entry.path().filename() == kMarker) continue;
      total += (files[i][fs::relative(entry.path(), tree(i)).string()] = readBytes(entry.path())).size();
    }
  }
  EXPECT_EQ(files[0].size(), files[1].size());
  for (const auto& [name, bytes] : files[0]) EXPECT_TRUE(files[1][name] == bytes) << name << " differs";
  EXPECT_LT(total / 2, 40u * 1024 * 1024);
}

// Every picture decodes. A sequence's frame names sort in frame order (the player sorts
// them by bytes), and its last frame repeats the first so that a saw on "anim.pos" loops
// without a seam.
TEST_F(SampleDemoTest, PicturesDecodeAndSequencesAreFullLoopsInFrameOrder) {
  for (const auto& entry : fs::recursive_directory_iterator(tree(0))) {
    DecodedImage image;
    const std::string extension = entry.path().extension().string();
    if (extension != ".jpg" && extension != ".png") continue;
    EXPECT_EQ(ImageDecoder::decode(entry.path().string(), image), DecodeStatus::kOk) << entry.path();
  }
  for (const char* directory : kSequenceDirectories) {
    std::vector<fs::path> frames;
    for (const auto& entry : fs::directory_iterator(tree(0).parent_path() / directory)) frames.push_back(entry.path());
    std::sort(frames.begin(), frames.end());
    ASSERT_GE(frames.size(), 16u) << directory;
    for (size_t i = 0; i < frames.size(); ++i) {
      EXPECT_EQ(frames[i].stem().string(), "frame" + std::string(i < 10 ? "00" : "0") + std::to_string(i));
    }
    DecodedImage firstFrame, lastFrame;
    ImageDecoder::decode(frames.front().string(), firstFrame);
    ImageDecoder::decode(frames.back().string(), lastFrame);
    EXPECT_TRUE(firstFrame.pixels == lastFrame.pixels) << directory;
  }
}

// A map the texture library does not hold would bind no texture, without a message.
TEST_F(SampleDemoTest, ModelsAreWholeTrianglesWithMaterialsWhoseMapsAreCatalogued) {
  testing::ScopedWorkingDirectory here(tree(0).parent_path());
  AssetCatalogue catalogue;
  for (const char* dir : {kTextureDir, kModelDir, kMayaDir}) catalogue.scanDirectory(dir);
  std::set<std::string> images, models;
  for (int i = 0; i < catalogue.count(); ++i) {
    const std::string& name = catalogue.names()[i];
    if (catalogue.kinds()[i] == kAssetImage) images.insert(name);  // pictures come first
    if (catalogue.kinds()[i] != kAssetModel) continue;
    models.insert(name);
    ModelData model;
    ASSERT_TRUE(readObjFile(catalogue.paths()[i], model)) << name;
    model.buildDrawData();
    EXPECT_EQ(model.droppedFaces, 0) << name;
    ASSERT_FALSE(model.ranges.empty()) << name;
    for (const DrawRange& range : model.ranges) {
      EXPECT_TRUE(range.primitive == kPrimitiveTriangles && range.material >= 0)
          << name << ": primitive " << range.primitive << ", material " << range.material;
    }
    for (const Material& m : model.materials) {
      for (const std::string& map : {m.mapKa, m.mapKd, m.mapKs, m.mapKe, m.mapNs, m.mapD, m.mapBump}) {
        EXPECT_TRUE(map.empty() || images.count(map)) << name << ": map " << map << " not catalogued";
      }
    }
  }
  EXPECT_EQ(models, (std::set<std::string>{"Land.obj", "SkySphere.obj", "Zepp.obj"}));
}

// The flight stays above the land (whose highest point is 6.5) and close enough to the
// centre that the sky sphere (radius 62) stays inside the far plane (100).
TEST_F(SampleDemoTest, MayaSceneHoldsFourLightsAndAFlightPathInsideTheSky) {
  MayaScene scene;
  for (const char* file : {"CamCurve.ma", "Light1.ma", "Light2.ma", "Light3.ma", "AmbientLight.ma"}) {
    EXPECT_TRUE(scene.readMayaFile(data(std::string("Maya/") + file))) << file;
  }
  EXPECT_EQ(scene.pointLights().size(), 3u);
  EXPECT_EQ(scene.ambientLights().size(), 1u);
  for (int i = 0; i <= 200; ++i) {
    const Vec3 p = scene.pathPoint("CamCurve.ma", i / 200.0f);
    EXPECT_TRUE(p.y > 7.0f && length(p) < 38.0f) << "at " << i / 200.0;
  }
}

// One file per track, each with keys; they show all three scenes, all thirteen sequences
// and every line of the text script but the last (which the player never shows), and every
// line fits the screen.
TEST_F(SampleDemoTest, TracksDirectEveryScenePictureAndLineOfTheScript) {
#ifndef QV_TRACKS_TOOL
  GTEST_SKIP() << "quintaval-tracks is not built";
#else
  const auto trackFiles = std::distance(fs::directory_iterator(tree(0) / "Rocket"), fs::directory_iterator());
  EXPECT_EQ(trackFiles, kDemoTrackCount);
  auto device = SyncDevice::create(data("Rocket/sync"));
  ASSERT_TRUE(device);
  for (const char* name : kDemoTrackNames) EXPECT_FALSE(device->getTrack(name)->keys.empty()) << name;

  TextScript script;
  ASSERT_TRUE(readTextScript(data("Text/Text.txt"), script));
  ASSERT_GE(script.lines.size(), 10u);
  for (const TextLine& line : script.lines) {
    const std::string text = displayText(line);
    EXPECT_LE(script.placementX + line.words.front().size * static_cast<int>(text.size()), 1280) << text;
  }

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
  EXPECT_EQ(lines.size(), script.lines.size() - 1);
#endif
}

// Longer than the show; at 120 beats per minute the kick starts every 0.5 s, and bin 1
// (about 43 Hz) must peak just after the beat and fall back before the next one, in every
// section the 3D scenes shake to.
TEST_F(SampleDemoTest, MusicOutlastsTheShowWithTheKickInTheLowBins) {
  DecodedMusic music;
  ASSERT_TRUE(decodeMusicFile(data("Sound/Musica.mp3"), music));
  EXPECT_GE(music.seconds(), 132.0);
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
