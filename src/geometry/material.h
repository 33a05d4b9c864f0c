// A surface material read from an MTL file: four colours, three scalar properties and the
// file names of its texture maps.
//
// The colours are kept here as numbers; the GL side of a model turns each into a 1x1
// solid-colour texture that is bound where the material has no map of that kind. Map
// names are stored as written and resolved against the texture library only at draw time.
#pragma once

#include <string>

#include "core/math.h"

namespace quintaval {

struct Material {
  Vec4 colorKa{0.0f, 0.0f, 0.0f, 1.0f};
  Vec4 colorKd{1.0f, 1.0f, 1.0f, 1.0f};
  Vec4 colorKs{0.0f, 0.0f, 0.0f, 1.0f};
  Vec4 colorKe{0.0f, 0.0f, 0.0f, 1.0f};
  float shininess = 2.0f;
  float dissolve = 1.0f;
  float illumination = 1.0f;
  std::string mapKa;
  std::string mapKd;
  std::string mapKs;
  std::string mapKe;
  std::string mapNs;
  std::string mapD;
  std::string mapBump;
  std::string name;
};

}  // namespace quintaval
