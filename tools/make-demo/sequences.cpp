// Sequence table and frame writing.
#include "sequences.h"

#include <cstdio>

#include "canvas.h"

namespace quintaval::demo {

const std::vector<SequenceSpec>& sequenceSpecs() {
  static const std::vector<SequenceSpec> specs = {
      {"CodeMonkey", 17, FrameFormat::kJpeg, paintCodeMonkey},
      {"DrinkWater", 17, FrameFormat::kJpeg, paintDrinkWater},
      {"Graphics", 17, FrameFormat::kJpeg, paintGraphics},
      {"Music", 17, FrameFormat::kAlternating, paintMusic},
      {"NotWatching", 17, FrameFormat::kJpeg, paintNotWatching},
      {"OMG", 17, FrameFormat::kPng, paintOmg},
      {"Tunge", 17, FrameFormat::kPng, paintTunge},
      {"YoureBeingWatched1", 17, FrameFormat::kJpeg, paintWatchedEye},
      {"YoureBeingWatched2", 17, FrameFormat::kJpeg, paintWatchedCrowd},
      {"YoureBeingWatched3", 17, FrameFormat::kJpeg, paintWatchedIris},
      {"YoureBeingWatched4", 17, FrameFormat::kJpeg, paintWatchedCamera},
      {"YoureBeingWatched5", 17, FrameFormat::kJpeg, paintWatchedForest},
      {"YoureBeingWatched6", 17, FrameFormat::kJpeg, paintWatchedMarquee},
  };
  return specs;
}

std::string frameFileName(int index, FrameFormat format) {
  const bool png = format == FrameFormat::kPng || (format == FrameFormat::kAlternating && index % 2 == 1);
  char name[32];
  std::snprintf(name, sizeof name, "frame%03d.%s", index, png ? "png" : "jpg");
  return name;
}

void makeSequences(DemoTree& tree) {
  for (const SequenceSpec& spec : sequenceSpecs()) {
    const std::string dir = "Textures/" + spec.directory;
    tree.resetDirectory(dir);
    for (int i = 0; i < spec.frames; ++i) {
      Canvas canvas(1280, 720);
      // The last frame closes the loop: it shows phase 0 again.
      const double phase = static_cast<double>(i % (spec.frames - 1)) / (spec.frames - 1);
      spec.paint(canvas.cr(), phase);
      const std::string name = frameFileName(i, spec.format);
      const std::string path = tree.path(dir + "/" + name);
      const bool ok = name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0
                          ? canvas.savePng(path)
                          : canvas.saveJpeg(path);
      if (!ok) {
        tree.fail(dir + "/" + name + " not written");
      }
    }
  }
}

}  // namespace quintaval::demo
