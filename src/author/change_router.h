// Which asset a changed file of "Data/" is, decided by one table of folder and
// extension (extensions in any case, as the loaders list them). The path is relative to
// "Data/", as the file watcher reports it; a file the demo does not load gives nothing.
//
//   Shaders/NAME.vert|.frag         the program NAME
//   Rocket/sync_TRACK.track         the sync track TRACK
//   Textures/SEQUENCE/FILE.jpg|.png a frame of one of the thirteen picture sequences
//   Textures/FILE.jpg|.png          a picture of the asset library
//   Loading.jpg, Font.png           a picture of the base library (the font of the overlay)
//   Models/FILE.obj                 a model;  Models/FILE.mtl: materials of the models
//   Maya/FILE.ma                    a Maya scene file
//   Text/Text.txt                   the overlay's text script
//   Sound/Musica.mp3                the music
#pragma once

#include <optional>
#include <string>

namespace quintaval {

enum class AssetChange {
  kShader,
  kTrack,
  kSequence,
  kPicture,
  kBasePicture,
  kModel,
  kMaterials,
  kMaya,
  kTextScript,
  kMusic,
};

struct ChangedAsset {
  AssetChange kind;
  std::string name;   // program, track, file name; empty for the text script and music
  int sequence = -1;  // kSequence: 0 to 12, in "anim.num" order
};

std::optional<ChangedAsset> routeChange(const std::string& relativePath);

}  // namespace quintaval
