// A mesh read from an OBJ file, uploaded to GL buffers and drawn.
//
// Two forms, chosen once at upload: the mesh form (any model with normals or texture
// coordinates) draws interleaved vertices (position at attribute 0, texture coordinate
// at 1, normal at 2, 32 bytes each) range by range, binding each range's material
// textures on units 1 to 7; the point form (neither) draws every position as a 10-pixel
// point with additive blending. After upload only what drawing reads stays on the CPU.
// Drawing goes to the current framebuffer and viewport and leaves them as they are; the
// caller selects the program and sets its uniforms. Needs the GL context current. GL
// objects are never released: the program's models outlive its GL context.
#pragma once

#include <string>
#include <vector>

#include "geometry/model_data.h"

namespace quintaval {

class TextureLibrary;

class Model {
 public:
  // Loads the file when `path` is not empty (the result is in loaded() and uploaded()).
  explicit Model(const std::string& path = std::string());
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  // Where map names are looked up at draw time. Not owned; may stay unset (maps then
  // bind no texture).
  void setTextureLibrary(const TextureLibrary* library) { textureLibrary_ = library; }

  // Reads the file, builds the draw data and uploads it. False when the file cannot be
  // opened (silently) or a buffer cannot be created (reported). Call once.
  bool load(const std::string& path);
  // load() in two steps, for a loader that reads on another thread. read() needs no GL:
  // the file read and its draw data built; false when the file cannot be opened or its
  // draw data does not fit in memory (the data then holds only the file name).
  // install() takes what read() gave, and its answer, and uploads.
  static bool read(const std::string& path, ModelData& data);
  bool install(ModelData data, bool read);
  // Creates the material colour textures, the flat bump texture and the GL buffers for
  // the form the data asks for, then drops the data the buffers were made from. Reports
  // "Error generating VBO!" or "Error generating VBO-index!" on failure. Call once.
  bool upload();
  // Draws the model; does nothing unless it was uploaded.
  void draw() const;

  bool loaded() const { return data_.loaded; }
  bool uploaded() const { return uploaded_; }
  // Whether the file gave any position at all (a damaged or half-written file may not).
  bool hasGeometry() const { return hasGeometry_; }
  bool pointMode() const { return pointMode_; }
  // The 1x1 colour textures of a material (index -1: the default material), for tests
  // and tools: Ka, Kd, Ks, Ke. Zeros before upload.
  struct ColorTextures {
    unsigned int ka = 0, kd = 0, ks = 0, ke = 0;
  };
  ColorTextures colorTextures(int material) const;

 private:
  bool uploadPoints();
  bool uploadMesh();
  void dropUploadedData();
  void drawPoints() const;
  void drawMesh() const;
  unsigned int mapTexture(const std::string& name) const;

  ModelData data_;
  const TextureLibrary* textureLibrary_ = nullptr;
  // One set per material, then one for the default material.
  std::vector<ColorTextures> colorTextures_;
  unsigned int flatBump_ = 0;  // (0, 0, 0, 0): a height map that tilts no normal
  unsigned int vertexBuffer_ = 0;
  unsigned int indexBuffer_ = 0;
  bool hasGeometry_ = false;
  bool pointMode_ = false;
  bool uploaded_ = false;
};

}  // namespace quintaval
