// Model upload and drawing.
//
// Mesh draw: every range is drawn as a triangle list (the draw data holds faces of four or
// more corners as fans), after binding on units 1 to 7: Ka map or colour, Bump map or the
// flat (0, 0, 0, 0) texture, Kd map or colour, Ke map or colour, Ns map or the Ks colour,
// Ks map or nothing, d map or nothing. A map name the texture library does not hold binds
// no texture (not the colour). Ranges without a material use the colours of a fresh
// Material. The colour and flat textures are made once, at upload.
#include "render/model.h"

#include <GL/glew.h>

#include "assets/texture_library.h"
#include "core/error_report.h"
#include "geometry/obj_reader.h"
#include "render/solid_color_texture.h"

namespace quintaval {

namespace {

// Creates a buffer holding `bytes` of `data`; 0 when GL did not take all of it (the
// buffer is then deleted again).
GLuint createBuffer(const void* data, std::size_t bytes) {
  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
  GLint size = -1;
  glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
  if (buffer == 0 || size < 0 || static_cast<std::size_t>(size) != bytes) {
    glDeleteBuffers(1, &buffer);
    return 0;
  }
  return buffer;
}

// Empties the vector and gives its memory back, which clear() alone does not.
template <typename T>
void release(std::vector<T>& values) {
  std::vector<T>().swap(values);
}

void bindTexture(GLenum unit, GLuint texture) {
  glActiveTexture(unit);
  glBindTexture(GL_TEXTURE_2D, texture);
}

Model::ColorTextures makeColorTextures(const Material& material) {
  Model::ColorTextures textures;
  textures.ka = makeSolidColorTexture(material.colorKa);
  textures.kd = makeSolidColorTexture(material.colorKd);
  textures.ke = makeSolidColorTexture(material.colorKe);
  textures.ks = makeSolidColorTexture(material.colorKs);
  return textures;
}

}  // namespace

Model::Model(const std::string& path) {
  if (!path.empty()) {
    load(path);
  }
}

bool Model::load(const std::string& path) {
  ModelData data;
  const bool ok = read(path, data);
  return install(std::move(data), ok);
}

bool Model::read(const std::string& path, ModelData& data) {
  if (!readObjFile(path, data)) {
    return false;
  }
  if (!data.buildDrawData()) {
    // Draw data too large for memory: the model stays empty, as if it could not be read.
    data = ModelData{};
    data.fileName = path;
    return false;
  }
  return true;
}

bool Model::install(ModelData data, bool read) {
  data_ = std::move(data);
  hasGeometry_ = !data_.positions.empty();
  return read && upload();
}

bool Model::upload() {
  uploaded_ = false;
  bool ok;
  if (data_.drawsAsPoints()) {
    ok = uploadPoints();
  } else {
    flatBump_ = makeSolidColorTexture(Vec4{0.0f, 0.0f, 0.0f, 0.0f});
    colorTextures_.clear();
    for (const Material& material : data_.materials) {
      colorTextures_.push_back(makeColorTextures(material));
    }
    colorTextures_.push_back(makeColorTextures(Material()));
    ok = uploadMesh();
  }
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  uploaded_ = ok;
  if (ok) dropUploadedData();
  return ok;
}

// Both forms draw from GL buffers and the ranges; the point form also streams pointData.
void Model::dropUploadedData() {
  release(data_.groups);
  release(data_.corners);
  release(data_.positions);
  release(data_.normals);
  release(data_.texCoords);
  release(data_.vertexData);
  release(data_.indexData);
}

bool Model::uploadPoints() {
  pointMode_ = true;
  vertexBuffer_ = createBuffer(data_.pointData.data(), data_.pointData.size() * sizeof(float));
  if (vertexBuffer_ == 0) {
    reportError("Error generating VBO!");
    return false;
  }
  return true;
}

bool Model::uploadMesh() {
  vertexBuffer_ = createBuffer(data_.vertexData.data(), data_.vertexData.size() * sizeof(float));
  if (vertexBuffer_ == 0) {
    reportError("Error generating VBO!");
    return false;
  }
  // Uploaded through the array-buffer binding so that the bound vertex array object's
  // element buffer is left alone.
  indexBuffer_ = createBuffer(data_.indexData.data(),
                              data_.indexData.size() * sizeof(std::uint32_t));
  if (indexBuffer_ == 0) {
    reportError("Error generating VBO-index!");
    return false;
  }
  return true;
}

void Model::draw() const {
  if (!uploaded_) {
    return;
  }
  if (pointMode_) {
    drawPoints();
  } else {
    drawMesh();
  }
}

void Model::drawPoints() const {
  const auto bytes = static_cast<GLsizeiptr>(data_.pointData.size() * sizeof(float));
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, GL_STREAM_DRAW);
  glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, data_.pointData.data());
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
  glPointSize(10.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(data_.pointData.size() / 3));
  glDisable(GL_BLEND);
}

Model::ColorTextures Model::colorTextures(int material) const {
  if (colorTextures_.empty()) {
    return ColorTextures{};
  }
  if (material < 0 || static_cast<std::size_t>(material) + 1 >= colorTextures_.size()) {
    return colorTextures_.back();
  }
  return colorTextures_[static_cast<std::size_t>(material)];
}

unsigned int Model::mapTexture(const std::string& name) const {
  return textureLibrary_ != nullptr ? textureLibrary_->textureByName(name) : 0;
}

void Model::drawMesh() const {
  constexpr GLsizei kStride = kFloatsPerVertex * sizeof(float);
  const struct {
    GLuint location;
    GLint size;
    std::size_t offset;
  } attributes[] = {{0, 3, 0}, {1, 2, 12}, {2, 3, 20}};
  for (const auto& attribute : attributes) {
    glEnableVertexAttribArray(attribute.location);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glVertexAttribPointer(attribute.location, attribute.size, GL_FLOAT, GL_FALSE, kStride,
                          reinterpret_cast<const void*>(attribute.offset));
  }
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);

  for (const DrawRange& range : data_.ranges) {
    const Material& m = data_.materialAt(range.material);
    const ColorTextures colors = colorTextures(range.material);
    auto mapOr = [this](const std::string& map, GLuint otherwise) {
      return map.empty() ? otherwise : mapTexture(map);
    };
    bindTexture(GL_TEXTURE1, mapOr(m.mapKa, colors.ka));
    bindTexture(GL_TEXTURE2, mapOr(m.mapBump, flatBump_));
    bindTexture(GL_TEXTURE3, mapOr(m.mapKd, colors.kd));
    bindTexture(GL_TEXTURE4, mapOr(m.mapKe, colors.ke));
    bindTexture(GL_TEXTURE5, mapOr(m.mapNs, colors.ks));
    bindTexture(GL_TEXTURE6, mapOr(m.mapKs, 0));
    bindTexture(GL_TEXTURE7, mapOr(m.mapD, 0));
    glDrawElements(GL_TRIANGLES, range.count, GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(sizeof(std::uint32_t) *
                                                 static_cast<std::size_t>(range.first)));
  }

  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glActiveTexture(GL_TEXTURE0);
  for (const auto& attribute : attributes) {
    glDisableVertexAttribArray(attribute.location);
  }
}

}  // namespace quintaval
