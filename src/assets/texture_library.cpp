// Textures are RGBA8 with a full mipmap chain, repeating in both directions, linear
// magnification and trilinear minification. The texture just loaded stays bound on the
// active texture unit.
#include "assets/texture_library.h"

#include <GL/glew.h>

#include <algorithm>
#include <string>

#include "assets/image_decoder.h"
#include "core/error_report.h"
#include "platform/files/directory_listing.h"

namespace quintaval {
namespace {

// Mip levels of a full chain for a picture of this size.
GLsizei chainLength(GLsizei width, GLsizei height) {
  GLsizei levels = 1;
  for (GLsizei side = std::max(width, height); side > 1; side /= 2) ++levels;
  return levels;
}

// Uploads into `texture`, a texture of the image's size, or into a new texture when it is
// 0. With immutable storage (one allocation for the whole chain, which the GL never has
// to move) the levels the CPU made go in as they are and the GL makes the rest from the
// last of them; without it, the GL makes them all.
std::uint32_t uploadTexture(const DecodedImage& image, GLuint texture = 0) {
  const bool immutable = GLEW_ARB_texture_storage;
  const bool fresh = texture == 0;
  if (fresh) glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  if (!immutable) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.pixels.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    return texture;
  }
  if (fresh) glTexStorage2D(GL_TEXTURE_2D, chainLength(image.width, image.height), GL_RGBA8, image.width, image.height);
  GLsizei width = image.width, height = image.height;
  const unsigned char* level = image.pixels.data();
  for (int i = 0; i < image.levels; ++i) {
    if (i > 0) {
      level += static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
      width /= 2;
      height /= 2;
    }
    glTexSubImage2D(GL_TEXTURE_2D, i, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, level);
  }
  if (width > 1 || height > 1) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, image.levels - 1);
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  }
  return texture;
}

}  // namespace

TextureLibrary::TextureLibrary() {
  static bool reported = false;
  if (!ImageDecoder::startDevil() && !reported) {
    reported = true;
    reportError("Initialization of DevIL failed!");
  }
}

TextureLibrary::Picture TextureLibrary::decodePicture(const std::string& path, const std::string& name) {
  Picture picture{path, name, DecodeStatus::kLoadFailed, DecodedImage()};
  picture.status = ImageDecoder::decode(path, picture.image);
  if (picture.status == DecodeStatus::kOk) addMipmapLevels(picture.image);
  return picture;
}

bool TextureLibrary::checkForUpload(const Picture& picture) {
  const std::string& name = picture.name;
  switch (picture.status) {
    case DecodeStatus::kLoadFailed:
      reportError("DevIL failed to load: " + name);
      return false;
    case DecodeStatus::kConversionFailed:
      reportError("Conversion to RGBA failed on image: " + name);
      return false;
    case DecodeStatus::kOk:
      break;
  }
  // Larger than the GL can hold, glTexImage2D would fail and leave a texture that samples
  // black: say so instead of counting the picture as loaded.
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  const DecodedImage& image = picture.image;
  if (image.width > maxSize || image.height > maxSize) {
    reportError("Image too large for a texture: " + name + " is " + std::to_string(image.width) + " x " +
                std::to_string(image.height) + ", the limit is " + std::to_string(maxSize) + " x " +
                std::to_string(maxSize));
    return false;
  }
  return true;
}

bool TextureLibrary::addPicture(const Picture& picture) {
  if (!checkForUpload(picture)) return false;
  auto entry = std::make_unique<TextureEntry>();
  entry->name = picture.name;
  entry->path = picture.path;
  entry->width = picture.image.width;
  entry->height = picture.image.height;
  entry->texture = uploadTexture(picture.image);
  entries_.push_back(std::move(entry));
  return true;
}

bool TextureLibrary::loadImage(const std::string& path, const std::string& name) {
  return addPicture(decodePicture(path, name));
}

bool TextureLibrary::reloadImage(const std::string& name) {
  for (const auto& entry : entries_) {
    if (entry->name != name) continue;
    const Picture picture = decodePicture(entry->path, name);
    if (!checkForUpload(picture)) return false;
    // Immutable storage keeps its size: a picture of another size needs a new texture.
    const bool sameSize = picture.image.width == entry->width && picture.image.height == entry->height;
    const GLuint old = entry->texture;
    entry->texture = uploadTexture(picture.image, sameSize ? old : 0);
    if (!sameSize) glDeleteTextures(1, &old);
    entry->width = picture.image.width;
    entry->height = picture.image.height;
    return true;
  }
  return false;
}

void TextureLibrary::reloadDirectory() {
  std::vector<std::unique_ptr<TextureEntry>> old = std::move(entries_);
  entries_.clear();
  loadDirectory(directory_);
  for (const auto& entry : old) {
    const GLuint texture = entry->texture;
    glDeleteTextures(1, &texture);
  }
}

void TextureLibrary::loadDirectory(const std::string& directory) {
  for (const std::string& name : directoryFiles(directory)) loadImage(directory + name, name);
  finishDirectory(directory);
}

std::vector<std::string> TextureLibrary::directoryFiles(const std::string& directory) {
  std::vector<std::string> names = listFilesWithExtension(directory, ".jpg");
  for (std::string& name : listFilesWithExtension(directory, ".png")) names.push_back(std::move(name));
  return names;
}

void TextureLibrary::finishDirectory(const std::string& directory) {
  directory_ = directory;
  // Byte order (std::string compares as unsigned char): "Z.png" < "a.png" and
  // "frame10.png" < "frame2.png". Stable, so equal names keep their load order and a
  // lookup by name finds the one loaded first.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const std::unique_ptr<TextureEntry>& a,
                      const std::unique_ptr<TextureEntry>& b) { return a->name < b->name; });
}

std::uint32_t TextureLibrary::textureByName(const std::string& name) const {
  for (const auto& entry : entries_) {
    if (entry->name == name) return entry->texture;
  }
  return 0;
}

std::uint32_t TextureLibrary::frameAt(float position) const {
  if (entries_.empty()) return 0;
  // NaN fails both comparisons: treat it as the start rather than index with it.
  if (!(position > 0.0f)) position = 0.0f;
  if (position > 1.0f) position = 1.0f;
  float product = position * static_cast<float>(entries_.size() - 1);
  std::size_t index = static_cast<std::size_t>(product);
  index = std::min(index, entries_.size() - 1);
  return entries_[index]->texture;
}

}  // namespace quintaval
