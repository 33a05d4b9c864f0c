// quintaval-make-demo OUTDIR [--sources DIR] [--force]: lays out the sample demo's Data/
// tree in OUTDIR — pictures, picture sequences, models with their textures, and the music,
// all generated — and copies the hand-written sources (Maya scenes, text script, materials)
// from DIR (by default the installed copy, share/quintaval/sources beside the program's bin/,
// or else the repository's data/ folder). The sync tracks are compiled from the sheet in
// data/sync/ by quintaval-tracks, and the shaders are laid out by the build.
// The same inputs always give byte-identical files (the marker names OUTDIR itself).
//
// As it overwrites files and empties the sequence folders, it writes only into a missing or
// empty OUTDIR, which it marks as generated, or into one it marked before; --force lets it
// write into any other folder.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/command_line.h"
#include "core/demo_folder.h"
#include "platform/files/own_location.h"
#include "demo_tree.h"
#include "models.h"
#include "music.h"
#include "pictures.h"
#include "sequences.h"

// QV_DEMO_SOURCES is the repository's data/ folder; QV_SOURCES_FROM_BIN leads from an
// install's bin/ folder to the installed copy of the hand-written sources.

namespace {

using quintaval::demo::DemoTree;

constexpr const char* kDetails =
    R"(OUTDIR must be missing or empty, or a folder this tool generated before: it
leaves the marker file OUTDIR/.quintaval-make-demo, which names OUTDIR (a copy
elsewhere does not count). Any other folder is refused, as the tool overwrites
its files and empties its picture-sequence folders, unless --force is given; a
forced run adds no marker.
Exit status: 0 done, 1 a file could not be written or the folder was refused,
2 bad command line.)";

template <typename Step>
void timed(const char* what, Step step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("quintaval-make-demo: %-28s %6.2f s\n", what, took.count());
  std::fflush(stdout);
}

void copySources(DemoTree& tree, const std::filesystem::path& sources) {
  if (tree.copyFiles(sources / "maya", ".ma", "Maya") == 0) tree.fail("no Maya files in " + sources.string());
  if (tree.copyFiles(sources / "models", ".mtl", "Models") == 0) tree.fail("no MTL files in " + sources.string());
  if (tree.copyFiles(sources / "text", ".txt", "Text") == 0) tree.fail("no text script in " + sources.string());
}

// The installed sources when this program is an installed one, else the repository's.
std::string defaultSources() {
  const std::string installed = quintaval::installedBeside(quintaval::runningExecutable(), QV_SOURCES_FROM_BIN, "maya");
  return installed.empty() ? QV_DEMO_SOURCES : installed;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("Generates the sample demo's Data/ tree in OUTDIR.", "quintaval-make-demo");
  app.set_version_flag("--version", "quintaval-make-demo " QV_VERSION);
  app.footer(kDetails);
  std::string out, sources = defaultSources();
  bool force = false;
  app.add_option("OUTDIR", out, "The folder to generate")
      ->required()
      ->check(CLI::Validator([](const std::string& dir) { return dir.empty() ? "needs a folder" : ""; }, ""));
  app.add_option("--sources", sources,
                 "Where the hand-written Maya scenes, materials and text script are "
                 "(default: the installed sample sources, share/quintaval/sources beside the "
                 "program's bin/, else the repository's data/)")
      ->type_name("DIR")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.add_flag("--force", force, "Write into OUTDIR even if this tool did not generate it");
  if (std::optional<int> status = quintaval::parseCommandLine(app, argc, argv)) return *status;

  DemoTree tree(out);
  if (!tree.claim(force)) return 1;
  for (const char* dir : {"", "Textures", "Models", "Maya", "Text", "Sound", "Rocket"}) {
    tree.makeDirectory(dir);
  }
  const auto start = std::chrono::steady_clock::now();
  timed("Loading.jpg, Font.png", [&] {
    quintaval::demo::makeLoadingPicture(tree);
    quintaval::demo::makeFontSheet(tree);
  });
  timed("hand-written sources", [&] { copySources(tree, sources); });
  timed("models and their textures", [&] { quintaval::demo::makeModels(tree); });
  timed("picture sequences", [&] { quintaval::demo::makeSequences(tree); });
  timed("Sound/Musica.mp3", [&] { quintaval::demo::makeMusic(tree); });
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("quintaval-make-demo: %s in %.2f s\n", tree.failed() ? "FAILED" : "done", took.count());
  return tree.failed() ? 1 : 0;
}
