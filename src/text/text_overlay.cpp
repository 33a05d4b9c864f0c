// Drawing the overlay text. Every call re-tessellates the chosen line and refills both
// vertex buffers; nothing is cached between frames (a line is a few hundred vertices).
// Attribute 0 carries pixel positions and attribute 1 font texture coordinates; the
// Text shader maps pixels to clip space around the viewport centre given by "x", "y".
#include "text/text_overlay.h"

#include <GL/glew.h>

#include <cmath>
#include <string>

#include "core/error_report.h"
#include "render/shader_support.h"

namespace quintaval {

TextOverlay::TextOverlay(const std::string& path, ShaderLibrary& shaders) : shaders_(shaders) {
  loadTextScript(path);
}

void TextOverlay::loadTextScript(const std::string& path) {
  lines_.clear();
  placementX_ = 0;
  placementY_ = 0;
  ready_ = false;

  TextScript script;
  if (!readTextScript(path, script)) return;
  lines_ = std::move(script.lines);
  placementX_ = script.placementX;
  placementY_ = script.placementY;

  glGetIntegerv(GL_VIEWPORT, viewport_);
  if (!shadersSupported()) {
    reportError("Vertex and fragment shaders not supported!");
    return;
  }
  textShader_ = &shaders_.build("Text");
  // Only a linked program takes uniforms; asking first keeps a broken shader file from
  // leaving GL errors behind.
  if (textShader_->compileStatus() != 1) {
    reportError("Error compiling text shader");
    return;
  }
  GLint linked = GL_FALSE;
  glGetProgramiv(textShader_->program, GL_LINK_STATUS, &linked);
  if (linked != GL_TRUE) return;  // a vertex shader error is not reported: no text shows
  textShader_->use();
  textShader_->setUniform1i("fontMap", 0);
  textShader_->setUniform1i("x", viewport_[2] / 2);
  textShader_->setUniform1i("y", viewport_[3] / 2);
  ShaderProgram::unuse();
  if (vertexBuffer_ == 0) glGenBuffers(1, &vertexBuffer_);
  if (uvBuffer_ == 0) glGenBuffers(1, &uvBuffer_);
  for (TextLine& line : lines_) line.text = displayText(line);
  ready_ = true;
}

bool TextOverlay::rereadTextScript(const std::string& path) {
  TextScript script;
  if (!readTextScript(path, script)) return false;
  lines_ = std::move(script.lines);
  placementX_ = script.placementX;
  placementY_ = script.placementY;
  for (TextLine& line : lines_) line.text = displayText(line);
  return true;
}

void TextOverlay::drawLine(float t) {
  // !(t >= 0) also turns away NaN, which has no line.
  if (!(t >= 0.0f) || lines_.empty() || !ready_) return;
  const float last = static_cast<float>(lines_.size() - 1);
  if (t > last) t = last;
  const float index = std::trunc(t);
  const float alpha = t - index;

  const TextLine& line = lines_[static_cast<std::size_t>(index)];
  // The first word's size sets the whole line; the other sizes and all colours are
  // kept with the words but not drawn.
  buildGlyphMesh(line.text, line.words.front().size, placementX_, placementY_, mesh_);
  const auto bytes = static_cast<GLsizeiptr>(mesh_.positions.size() * sizeof(Vec2));

  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  glBufferData(GL_ARRAY_BUFFER, bytes, mesh_.positions.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, uvBuffer_);
  glBufferData(GL_ARRAY_BUFFER, bytes, mesh_.uvs.data(), GL_STATIC_DRAW);

  textShader_->use();
  textShader_->setUniform1f("alpha", alpha);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, fontTexture_);

  glEnableVertexAttribArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
  glEnableVertexAttribArray(1);
  glBindBuffer(GL_ARRAY_BUFFER, uvBuffer_);
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 0, nullptr);

  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(mesh_.positions.size()));
  glDisable(GL_BLEND);
  glDisableVertexAttribArray(0);
  glDisableVertexAttribArray(1);
}

}  // namespace quintaval
