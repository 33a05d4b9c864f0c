// The three models of the 3D scene and their texture maps:
//   Models/Land.obj       the island (terrain.h), 200 x 200 quads, material "Land" -> Land.jpg
//   Models/SkySphere.obj  a sphere of radius 62 seen from inside, material "Sky" -> Sky.jpg
//   Models/Zepp.obj       a zeppelin over the island: hull, gondola, fins and engines, each
//                         with its own material; the hull's map is ZeppHull.jpg
// The MTL files are hand-written (data/models/) and name the maps, which go to
// Data/Textures/ where the asset catalogue finds them.
#pragma once

#include "demo_tree.h"
#include "obj_writer.h"

namespace quintaval::demo {

// Where the zeppelin floats: the centre of its hull, nose towards +x.
constexpr V3 kZeppelinCentre{6.0, 17.0, -8.0};

void makeModels(DemoTree& tree);

}  // namespace quintaval::demo
