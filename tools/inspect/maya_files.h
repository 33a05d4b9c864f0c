// Reading Maya ASCII files for the inspect commands, in the order given (main() checked
// that each can be read), with a note on standard error for every file the program would
// take nothing from.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "geometry/maya_scene.h"

namespace quintaval::inspect {

inline void readMayaFiles(const std::vector<std::string>& files, MayaScene& scene) {
  for (const std::string& file : files) {
    if (scene.readMayaFile(file)) continue;
    std::fprintf(stderr,
                 "quintaval-inspect: %s: first word is not \"//Maya\"; the program takes "
                 "nothing from it\n",
                 file.c_str());
  }
}

}  // namespace quintaval::inspect
