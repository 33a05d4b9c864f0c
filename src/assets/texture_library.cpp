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

// Uploads into `texture`, or into a new texture when it is 0.
std::uint32_t uploadTexture(const DecodedImage& image, GLuint texture = 0) {
  if (texture == 0) glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width, image.height, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, image.pixels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glGenerateMipmap(GL_TEXTURE_2D);
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

bool TextureLibrary::decodeForUpload(const std::string& path, const std::string& name, DecodedImage& image) {
  switch (ImageDecoder::decode(path, image)) {
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
  if (image.width > maxSize || image.height > maxSize) {
    reportError("Image too large for a texture: " + name + " is " + std::to_string(image.width) + " x " +
                std::to_string(image.height) + ", the limit is " + std::to_string(maxSize) + " x " +
                std::to_string(maxSize));
    return false;
  }
  return true;
}

bool TextureLibrary::loadImage(const std::string& path, const std::string& name) {
  DecodedImage image;
  if (!decodeForUpload(path, name, image)) return false;
  auto entry = std::make_unique<TextureEntry>();
  entry->name = name;
  entry->path = path;
  entry->width = image.width;
  entry->height = image.height;
  entry->texture = uploadTexture(image);
  entries_.push_back(std::move(entry));
  return true;
}

bool TextureLibrary::reloadImage(const std::string& name) {
  for (const auto& entry : entries_) {
    if (entry->name != name) continue;
    DecodedImage image;
    if (!decodeForUpload(entry->path, name, image)) return false;
    uploadTexture(image, entry->texture);
    entry->width = image.width;
    entry->height = image.height;
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
  directory_ = directory;
  for (const char* extension : {".jpg", ".png"}) {
    for (const std::string& name : listFilesWithExtension(directory, extension)) {
      loadImage(directory + name, name);
    }
  }
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
