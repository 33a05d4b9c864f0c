// Post-processor construction and the per-frame helpers. Construction stops at the first
// failure with `failed` set: a filter target that is incomplete, a context without
// shaders, a Filters or Bokeh fragment shader that does not compile, or a quad buffer
// that did not receive its 120 bytes.
#include "render/post_processor.h"

#include <GL/glew.h>

#include "core/error_report.h"
#include "render/shader_support.h"

namespace quintaval {

namespace {

// Two triangles covering clip space; x, y, z, u, v per vertex.
constexpr float kQuad[6 * 5] = {
    -1.0f, -1.0f, 0.0f, 0.0f, 0.0f,  //
    1.0f,  -1.0f, 0.0f, 1.0f, 0.0f,  //
    1.0f,  1.0f,  0.0f, 1.0f, 1.0f,  //
    -1.0f, -1.0f, 0.0f, 0.0f, 0.0f,  //
    1.0f,  1.0f,  0.0f, 1.0f, 1.0f,  //
    -1.0f, 1.0f,  0.0f, 0.0f, 1.0f,  //
};
constexpr GLsizei kQuadStride = 5 * sizeof(float);
static_assert(sizeof kQuad == 120, "the quad is six vertices of five floats");

}  // namespace

PostProcessor::PostProcessor(ShaderLibrary& shaders, bool multisampledFlag, int width, int height)
    : multisampled(multisampledFlag) {
  failed = !construct(shaders, width, height);
}

bool PostProcessor::construct(ShaderLibrary& shaders, int width, int height) {
  // Each size's four targets draw into one set of multisampled buffers.
  for (auto& target : fullTargets) {
    target = std::make_unique<RenderTarget>(multisampled, width, height, fullTargets[0].get());
    if (target->failed) return false;
  }
  for (auto& target : halfTargets) {
    target = std::make_unique<RenderTarget>(multisampled, width / 2, height / 2, halfTargets[0].get());
    if (target->failed) return false;
  }

  if (!shadersSupported()) {
    reportError("Vertex and fragment shaders not supported!");
    return false;
  }

  filter_ = &shaders.build("Filters");
  filter_->use();
  filter_->setUniform1i("filterNumber", 0);
  filter_->setUniform1i("filterMap", 0);
  filter_->setUniform1f("colorLine", 0.5f);
  filter_->setUniform4f("colorValue1", 1.0f, 1.0f, 1.0f, 1.0f);
  filter_->setUniform4f("colorValue2", 0.0f, 0.0f, 0.0f, 1.0f);

  const ShaderProgram& bokeh = shaders.build("Bokeh");
  bokeh.use();

  if (filter_->compileStatus() != GL_TRUE) {
    reportError("Error compiling filter shader");
    return false;
  }
  if (bokeh.compileStatus() != GL_TRUE) {
    reportError("Error compiling bokeh shader");
    return false;
  }
  ShaderProgram::unuse();

  glGenBuffers(1, &quadBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
  glBufferData(GL_ARRAY_BUFFER, sizeof kQuad, kQuad, GL_STATIC_DRAW);
  GLint size = 0;
  glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
  if (size != static_cast<GLint>(sizeof kQuad)) {
    // Without the quad no full-screen image can be drawn, so this ends start-up too.
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(1, &quadBuffer);
    quadBuffer = 0;
    reportError("Error generating quadBuffer for filters!");
    return false;
  }
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return true;
}

void PostProcessor::drawQuad() const {
  glEnableVertexAttribArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, kQuadStride, nullptr);
  glEnableVertexAttribArray(1);
  glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, kQuadStride,
                        reinterpret_cast<const void*>(3 * sizeof(float)));
  glDrawArrays(GL_TRIANGLES, 0, 6);
  glDisableVertexAttribArray(0);
  glDisableVertexAttribArray(1);
}

// A post-processor whose construction stopped early may lack its programs or targets;
// the helpers that need them then do nothing.
void PostProcessor::drawTexture(unsigned int texture, float alpha) const {
  if (!filter_) return;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  filter_->use();
  filter_->setUniform1i("filterNumber", 0);
  filter_->setUniform1f("alpha", alpha);
  glBindTexture(GL_TEXTURE_2D, texture);
  drawQuad();
  ShaderProgram::unuse();
  glDisable(GL_BLEND);
}

void PostProcessor::setOffset(float x, float y) const {
  if (!filter_) return;
  filter_->use();
  filter_->setUniform2f("offset", x * 2.0f, y * 2.0f);
}

void PostProcessor::clear() const { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

void PostProcessor::clearDepth() const { glClear(GL_DEPTH_BUFFER_BIT); }

}  // namespace quintaval
