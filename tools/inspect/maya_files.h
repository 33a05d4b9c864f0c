// Reading Maya ASCII files for the inspect commands, in the order given, with a note on
// standard error for every file the program would take nothing from.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "geometry/maya_scene.h"

namespace quintaval::inspect {

// False when some file could not be opened at all.
inline bool readMayaFiles(const std::vector<std::string>& files, MayaScene& scene) {
  bool allOpened = true;
  for (const std::string& file : files) {
    if (scene.readMayaFile(file)) continue;
    std::FILE* probe = std::fopen(file.c_str(), "rb");
    if (probe == nullptr) {
      std::fprintf(stderr, "quintaval-inspect: %s: cannot be read\n", file.c_str());
      allOpened = false;
    } else {
      std::fclose(probe);
      std::fprintf(stderr,
                   "quintaval-inspect: %s: first word is not \"//Maya\"; the program takes "
                   "nothing from it\n",
                   file.c_str());
    }
  }
  return allOpened;
}

}  // namespace quintaval::inspect
