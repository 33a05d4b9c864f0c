// Author mode's reload of every kind of file in "Data/", through a Demo filled from a
// scratch tree: a good save leaves the owner holding the new content, and a broken save
// leaves it holding the last good one with exactly one error in the author log. The
// music, decoded on a worker, is waited for through Reloader::finishPending.
#include "author/reloader.h"

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

#include "app/demo.h"
#include "assets/test_images.h"
#include "platform/audio/music_decoder.h"
#include "support/gl_fixture.h"
#include "sync/track_file.h"
#include "tone_mp3.h"

namespace quintaval {
namespace {

using Values = std::vector<float>;
using Writer = std::function<void(const std::string& path)>;

class ReloaderGlTest : public testing::GlFixture {};

Writer text(const std::string& contents) {
  return [contents](const std::string& path) { std::ofstream(path, std::ios::binary) << contents; };
}

// A 1 x 1 picture: one texel, the one texels() reads back.
Writer png(testing::Rgba color) {
  return [color](const std::string& path) { ASSERT_TRUE(testing::writePng(path, 1, 1, color)); };
}

// A picture cut short, as an editor's half-written save leaves it.
Writer cutPng() {
  return [](const std::string& path) {
    ASSERT_TRUE(testing::writePng(path, 1, 1, {0, 0, 255, 255}));
    std::filesystem::resize_file(path, 30);
  };
}

Writer track(float value) {
  return [value](const std::string& path) { ASSERT_TRUE(writeTrackFile(path, {{0, value, kSyncStep}})); };
}

Writer mp3(int rate) { return text(testing::encodeToneMp3(0.5, 1000.0, rate)); }

std::string objUsing(const std::string& materials) {
  return "mtllib " + materials + "\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nusemtl paint\nf 1//1 2//1 3//1\n";
}

std::string materialOf(const std::string& kd) { return "newmtl paint\nKd " + kd + "\n"; }

// A point light whose transform is translated to `xyz`; without the header line the
// reader refuses the file.
std::string lamp(const std::string& xyz, bool header = true) {
  return std::string(header ? "//Maya ASCII 2018 scene\n" : "") + "createNode transform -n \"pointLight1\";\n" +
         "\tsetAttr \".t\" -type \"double3\" " + xyz + " ;\n" +
         "createNode pointLight -n \"pointLightShape1\" -p \"pointLight1\";\n\tsetAttr -k off \".v\";\n" +
         "select -ne :time1;\n\tsetAttr \".o\" 1;\n";
}

std::string fragment(const std::string& uniform, float value) {
  return "#version 330 core\nuniform float " + uniform + " = " + std::to_string(value) +
         ";\nout vec4 color;\nvoid main() { color = vec4(" + uniform + "); }\n";
}

void addModel(Demo& demo, const std::string& file) {
  const std::string path = kModelDir + file;
  demo.models.add(std::make_unique<Model>(path), file, path);
}

TEST_F(ReloaderGlTest, AGoodSaveIsTakenAndABrokenOneKeepsTheLastGoodVersionWithOneError) {
  const testing::Rgba red{255, 0, 0, 255}, green{0, 255, 0, 255};
  const Values redTexel{1, 0, 0, 1}, greenTexel{0, 1, 0, 1};
  const int musicSequence = 3;
  ASSERT_EQ(std::string(kSequenceDirectories[musicSequence]), "Data/Textures/Music/");

  // Files no row changes: the vertex half of the probe program and the models' materials.
  dir.write("Data/Shaders/Probe.vert",
            "#version 330 core\nlayout(location = 0) in vec3 position;\n"
            "void main() { gl_Position = vec4(position, 1.0); }\n");
  dir.write("Data/Models/Red.mtl", materialOf("1 0 0"));
  dir.write("Data/Models/Blue.mtl", materialOf("0 0 1"));
  dir.write("Data/Models/Ball.obj", objUsing("Paint.mtl"));

  const auto shaderLevels = [](Demo& demo) {
    const GLuint program = demo.shaders.find("Probe")->program;
    return Values{uniformValues(program, "oldLevel", 1)[0], uniformValues(program, "newLevel", 1)[0]};
  };
  const auto firstKd = [](Demo& demo) { return texels(demo.models.model(0).colorTextures(0).kd); };

  struct Row {
    const char* file;  // relative to "Data/", as the file watcher reports it
    Writer old, good, broken;  // broken: null where none is checked (the row says why)
    std::function<void(Demo&)> load;
    std::function<Values(Demo&)> probe;
    Values before, after;
  };
  const Row rows[] = {
      // The rebuilt program keeps the values of uniforms the old one shared with it, so
      // the new source names its uniform differently; -99 stands for "no such uniform".
      {"Shaders/Probe.frag", text(fragment("oldLevel", 1)), text(fragment("newLevel", 2)),
       text("#version 330 core\nvoid main() { this is not glsl; }\n"), [](Demo& d) { d.shaders.build("Probe"); },
       shaderLevels, {1, -99}, {-99, 2}},
      // A track file is data whatever its bytes: damaged keys are still keys, so no save
      // breaks it.
      {"Rocket/sync_fade.track", track(1), track(2), nullptr,
       [](Demo& d) {
         d.syncDevice = SyncDevice::create(kSyncTrackBase);
         d.syncDevice->getTrack("fade");
       },
       [](Demo& d) { return Values{static_cast<float>(d.syncDevice->getTrack("fade")->valueAt(0))}; }, {1}, {2}},
      {"Textures/Music/Frame.png", png(red), png(green), cutPng(),
       [&](Demo& d) { d.sequences[musicSequence].loadDirectory(kSequenceDirectories[musicSequence]); },
       [&](Demo& d) { return texels(d.sequences[musicSequence].textureByName("Frame.png")); }, redTexel, greenTexel},
      {"Textures/Wall.png", png(red), png(green), cutPng(),
       [](Demo& d) { d.assetLibrary.loadImage("Data/Textures/Wall.png", "Wall.png"); },
       [](Demo& d) { return texels(d.assetLibrary.textureByName("Wall.png")); }, redTexel, greenTexel},
      {"Font.png", png(red), png(green), cutPng(), [](Demo& d) { d.baseLibrary.loadImage("Data/Font.png", "Font.png"); },
       [](Demo& d) { return texels(d.baseLibrary.textureByName("Font.png")); }, redTexel, greenTexel},
      // The model's own file names its materials; a file without geometry is refused.
      {"Models/Cube.obj", text(objUsing("Red.mtl")), text(objUsing("Blue.mtl")), text("mtllib Red.mtl\n"),
       [](Demo& d) { addModel(d, "Cube.obj"); }, firstKd, redTexel, {0, 0, 1, 1}},
      // The material reader skips what it does not know and the model's geometry comes
      // from its OBJ file, so no save of a material library breaks a model.
      {"Models/Paint.mtl", text(materialOf("1 0 0")), text(materialOf("0 1 0")), nullptr,
       [](Demo& d) { addModel(d, "Ball.obj"); }, firstKd, redTexel, greenTexel},
      {"Maya/Lamp.ma", text(lamp("1 2 3")), text(lamp("4 5 6")), text(lamp("7 8 9", false)),
       [](Demo& d) { d.maya.readMayaFile("Data/Maya/Lamp.ma"); },
       [](Demo& d) {
         const Vec3 at = d.maya.pointLightPosition("Lamp.ma");
         return Values{at.x, at.y, at.z};
       },
       {1, 2, 3}, {4, 5, 6}},
      {"Text/Text.txt", text("//Quintaval\nHello <end>\n"), text("//Quintaval\nHello <end>\nWorld <end>\n"),
       text("Hello <end>\nWorld <end>\nAgain <end>\n"),
       [](Demo& d) { d.textOverlay = std::make_unique<TextOverlay>(kTextScriptPath, d.shaders); },
       [](Demo& d) { return Values{static_cast<float>(d.textOverlay->lines().size())}; }, {1}, {2}},
      {"Sound/Musica.mp3", mp3(44100), mp3(48000), text(std::string(5000, 'x')),
       [](Demo& d) {
         auto music = std::make_shared<DecodedMusic>();
         ASSERT_TRUE(decodeMusicFile(kMusicPath, *music));
         d.decodedMusic = music;
         d.music.start(d.decodedMusic, false);
       },
       [](Demo& d) { return Values{d.music.music() ? static_cast<float>(d.music.music()->sampleRate) : 0.0f}; },
       {44100}, {48000}},
  };

  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    const std::string path = std::string(kDataDir) + row.file;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    row.old(path);
    reporter.clear();
    Demo demo;
    row.load(demo);
    ASSERT_EQ(reporter.messages(), std::vector<std::string>{});
    const auto expectHeld = [&](const Values& expected) {
      const Values held = row.probe(demo);
      ASSERT_EQ(held.size(), expected.size());
      for (std::size_t i = 0; i < held.size(); ++i) EXPECT_NEAR(held[i], expected[i], 1e-4) << "value " << i;
    };
    expectHeld(row.before);
    const std::optional<ChangedAsset> change = routeChange(row.file);
    ASSERT_TRUE(change.has_value());

    // Saves the file and reloads it; the number of errors the author log got.
    const auto save = [&](const Writer& write) {
      write(path);
      AuthorLog log;
      ErrorReporter* previous = setErrorReporter(&log);
      {
        Reloader reloader(demo, log);
        reloader.apply(*change);
        // The music's reload ends, a decode later, in a second entry after its first note.
        const std::size_t entries = change->kind == AssetChange::kMusic ? 2 : 1;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (log.entries().size() < entries && std::chrono::steady_clock::now() < deadline) {
          reloader.finishPending();
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
      }
      setErrorReporter(previous);
      int errors = 0;
      for (const AuthorLogEntry& entry : log.entries()) errors += entry.error;
      // The entry says why: a music file that does not decode is named with the reason.
      if (errors > 0 && change->kind == AssetChange::kMusic) {
        EXPECT_NE(log.entries().back().text.find(std::string(kMusicPath) + ": no MP3 audio in it"), std::string::npos);
      }
      return errors;
    };
    EXPECT_EQ(save(row.good), 0);
    expectHeld(row.after);
    if (!row.broken) continue;
    EXPECT_EQ(save(row.broken), 1);
    expectHeld(row.after);
  }
}

}  // namespace
}  // namespace quintaval
