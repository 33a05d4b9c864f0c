// One image loaded into an OpenGL texture, kept by a TextureLibrary under its file name.
#pragma once

#include <cstdint>
#include <string>

namespace quintaval {

struct TextureEntry {
  std::string name;        // file name without directory, as the loader was given it
  std::string path;        // the path the image was decoded from
  std::uint32_t texture = 0;  // GL texture object name
  std::int32_t width = 0;     // pixels, after conversion to RGBA
  std::int32_t height = 0;
};

}  // namespace quintaval
