// Model upload and drawing.
//
// Mesh draw: every range is drawn as a triangle list (the draw data holds faces of four or
// more corners as fans), after binding on units 1 to 7: Ka map or colour, Bump map or the
// post-processor's flat (0, 0, 0, 0) texture, Kd map or colour, Ke map or colour, Ns map
// or the Ks colour, Ks map or nothing, d map or nothing. A map name the texture library
// does not hold binds no texture (not the colour). Ranges without a material use the
// colours of a fresh Material.
#include "geometry/model.h"

#include <GL/glew.h>

#include "assets/texture_library.h"
#include "core/error_report.h"
#include "geometry/obj_reader.h"
#include "render/post_processor.h"
#include "render/render_target.h"

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

void bindTexture(GLenum unit, GLuint texture) {
  glActiveTexture(unit);
  glBindTexture(GL_TEXTURE_2D, texture);
}

std::unique_ptr<RenderTarget> makeColorTarget(const Vec4& color) {
  auto target = std::make_unique<RenderTarget>(0, 1, 1);
  target->fill(color.x, color.y, color.z, color.w);
  return target;
}

}  // namespace

Model::Model(const std::string& path) {
  if (!path.empty()) {
    load(path);
  }
}

Model::~Model() = default;

bool Model::load(const std::string& path) {
  if (!readObjFile(path, data_)) {
    return false;
  }
  if (!data_.buildDrawData()) {
    // Draw data too large for memory: the model stays empty, as if it could not be read.
    data_ = ModelData{};
    data_.fileName = path;
    return false;
  }
  return upload();
}

void Model::makeColorTargets(const Material& material, ColorTargets& targets) {
  targets.ka = makeColorTarget(material.colorKa);
  targets.kd = makeColorTarget(material.colorKd);
  targets.ke = makeColorTarget(material.colorKe);
  targets.ks = makeColorTarget(material.colorKs);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

bool Model::upload() {
  uploaded_ = false;
  bool ok;
  if (data_.drawsAsPoints()) {
    ok = uploadPoints();
  } else {
    colorTargets_.resize(data_.materials.size() + 1);
    for (std::size_t i = 0; i < data_.materials.size(); ++i) {
      makeColorTargets(data_.materials[i], colorTargets_[i]);
    }
    makeColorTargets(Material(), colorTargets_.back());
    ok = uploadMesh();
  }
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  uploaded_ = ok;
  return ok;
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
  glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(data_.positions.size()));
  glDisable(GL_BLEND);
}

const Model::ColorTargets& Model::targetsFor(int material) const {
  if (material < 0 || static_cast<std::size_t>(material) + 1 >= colorTargets_.size()) {
    return colorTargets_.back();
  }
  return colorTargets_[static_cast<std::size_t>(material)];
}

Model::ColorTextures Model::colorTextures(int material) const {
  ColorTextures textures;
  if (colorTargets_.empty()) {
    return textures;
  }
  const ColorTargets& targets = targetsFor(material);
  textures.ka = targets.ka->colorTexture;
  textures.kd = targets.kd->colorTexture;
  textures.ks = targets.ks->colorTexture;
  textures.ke = targets.ke->colorTexture;
  return textures;
}

unsigned int Model::mapTexture(const std::string& name) const {
  return textureLibrary_ != nullptr ? textureLibrary_->textureByName(name) : 0;
}

void Model::drawMesh() const {
  // The flat bump texture is the same for every range, so it is filled once. Filling
  // resolves a render target, which leaves the default framebuffer bound and the viewport
  // changed: both are put back so that a model drawn into a render target stays there.
  bool needsFlatBump = false;
  for (const DrawRange& range : data_.ranges) {
    needsFlatBump = needsFlatBump || data_.materialAt(range.material).mapBump.empty();
  }
  GLuint flatBump = 0;
  if (needsFlatBump && postProcessor_ != nullptr && postProcessor_->colorTarget) {
    GLint drawFramebuffer = 0;
    GLint readFramebuffer = 0;
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glActiveTexture(GL_TEXTURE2);
    postProcessor_->fillColorTarget(0.0f, 0.0f, 0.0f, 0.0f);
    flatBump = postProcessor_->colorTarget->colorTexture;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
  }

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
    const ColorTargets& colors = targetsFor(range.material);
    auto mapOr = [this](const std::string& map, GLuint otherwise) {
      return map.empty() ? otherwise : mapTexture(map);
    };
    bindTexture(GL_TEXTURE1, mapOr(m.mapKa, colors.ka->colorTexture));
    bindTexture(GL_TEXTURE2, mapOr(m.mapBump, flatBump));
    bindTexture(GL_TEXTURE3, mapOr(m.mapKd, colors.kd->colorTexture));
    bindTexture(GL_TEXTURE4, mapOr(m.mapKe, colors.ke->colorTexture));
    bindTexture(GL_TEXTURE5, mapOr(m.mapNs, colors.ks->colorTexture));
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
