// Where a demo keeps its files: everything lives under "Data/" in the working directory
// (the player and quintaval-capture change into the demo's folder first, see
// core/demo_folder.h). Directory paths end with "/"; the sync tracks are
// "<kSyncTrackBase>_<track>.track".
#pragma once

namespace quintaval {

constexpr int kSequenceCount = 13;

constexpr const char* kDataDir = "Data/";
constexpr const char* kShaderDir = "Data/Shaders/";
constexpr const char* kTextureDir = "Data/Textures/";
constexpr const char* kModelDir = "Data/Models/";
constexpr const char* kMayaDir = "Data/Maya/";
constexpr const char* kTextScriptPath = "Data/Text/Text.txt";
constexpr const char* kMusicPath = "Data/Sound/Musica.mp3";
constexpr const char* kSyncTrackBase = "Data/Rocket/sync";

// Pictures of "Data/" itself, by the name the base library gives them.
constexpr const char* kLoadingPicture = "Loading.jpg";
constexpr const char* kFontPicture = "Font.png";

// The picture-sequence directories, in "anim.num" order (1 to 13).
constexpr const char* kSequenceDirectories[kSequenceCount] = {
    "Data/Textures/CodeMonkey/",         "Data/Textures/DrinkWater/",         "Data/Textures/Graphics/",
    "Data/Textures/Music/",              "Data/Textures/NotWatching/",        "Data/Textures/OMG/",
    "Data/Textures/Tunge/",              "Data/Textures/YoureBeingWatched1/", "Data/Textures/YoureBeingWatched2/",
    "Data/Textures/YoureBeingWatched3/", "Data/Textures/YoureBeingWatched4/", "Data/Textures/YoureBeingWatched5/",
    "Data/Textures/YoureBeingWatched6/",
};

}  // namespace quintaval
