// Image files turned into mipmapped OpenGL textures, kept in an ordered list under their
// file names.
//
// The program holds a base library filled from "Data/", an asset library filled image by
// image from the asset catalogue, and thirteen texture sequences (libraries filled from
// one directory and sorted by name) whose frames are picked by a position in [0, 1].
// A picture arrives in two steps: decodePicture (any thread, no GL) and addPicture (the
// thread whose GL context is current, which also reports failures); loadImage does both.
// Libraries live as long as the program, and so do their textures, except where author
// mode replaces a picture: a reloaded picture of another size, or a sequence listed
// afresh, deletes the textures it replaces.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "assets/image_decoder.h"
#include "assets/texture_entry.h"

namespace quintaval {

class TextureLibrary {
 public:
  // An empty library. Checks that DevIL is recent enough and starts it; a too old DevIL
  // is reported with "Initialization of DevIL failed!" (once per process).
  TextureLibrary();
  virtual ~TextureLibrary() = default;
  TextureLibrary(const TextureLibrary&) = delete;
  TextureLibrary& operator=(const TextureLibrary&) = delete;

  // A picture decoded for a library, with the mipmap levels the CPU makes.
  struct Picture {
    std::string path;
    std::string name;
    DecodeStatus status = DecodeStatus::kLoadFailed;
    DecodedImage image;
  };
  // Decodes `path`, to be added under `name`. Safe on any thread.
  static Picture decodePicture(const std::string& path, const std::string& name);

  // Uploads a decoded picture and appends it at the end of the list under its name (an
  // entry of the same name already present stays in front of it). False after a reported
  // failure, with nothing appended: a file that did not decode, or a picture wider or
  // taller than GL_MAX_TEXTURE_SIZE.
  bool addPicture(const Picture& picture);
  // decodePicture and addPicture at once.
  bool loadImage(const std::string& path, const std::string& name);

  // Loads every "*.jpg" and then every "*.png" file of `directory` (which ends with
  // "/"), then sorts the whole list by name as unsigned bytes. In two steps for a loader
  // that decodes elsewhere: the file names in load order, then, once their pictures were
  // added, finishDirectory.
  void loadDirectory(const std::string& directory);
  static std::vector<std::string> directoryFiles(const std::string& directory);
  void finishDirectory(const std::string& directory);

  // Author mode, after a file changed: decodes the first entry named `name` again from
  // its path and uploads it into the same texture, so whoever holds the texture sees the
  // new picture; a picture of another size gets a new texture, which textureByName then
  // gives. False (reported, the old picture kept) when it does not load, or when no entry
  // has that name.
  bool reloadImage(const std::string& name);
  // Author mode, after a file of the directory came or went: the list made afresh from
  // the last loadDirectory's directory; the old textures are deleted.
  void reloadDirectory();

  // The texture of the first entry named exactly `name`, or 0.
  std::uint32_t textureByName(const std::string& name) const;

  // The texture of the frame at `position`, clamped to [0, 1]: frame index is
  // position * (count - 1), rounded to single precision and truncated. 0 when empty.
  std::uint32_t frameAt(float position) const;

  std::size_t count() const { return entries_.size(); }
  const TextureEntry& entry(std::size_t index) const { return *entries_[index]; }
  // The directory of the last loadDirectory; empty before.
  const std::string& directory() const { return directory_; }

 private:
  // Reports a failed decode, or a picture too large for the GL, by the picture's name.
  static bool checkForUpload(const Picture& picture);

  std::vector<std::unique_ptr<TextureEntry>> entries_;
  std::string directory_;
};

// A library filled from one directory with loadDirectory, whose frames are shown in
// name order by frameAt.
class TextureSequence : public TextureLibrary {};

}  // namespace quintaval
