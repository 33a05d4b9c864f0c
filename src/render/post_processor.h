// The one object that draws full-screen images and handles the frame's buffers.
//
// It owns a full-screen quad (clip-space positions at attribute 0, texture coordinates
// at attribute 1, (0, 0) at the lower left) and eight filter targets (four at full and
// four at half window size), and builds two programs into the shader library: "Filters",
// which draws a texture over the viewport with an opacity, and "Bokeh". Create it once,
// after the frame's viewport is set, and read `failed`: set means start-up cannot go on
// (the reason has already been reported). Nothing is released while the demo runs.
#pragma once

#include <memory>

#include "render/render_target.h"
#include "render/shader_library.h"

namespace quintaval {

class PostProcessor {
 public:
  // `multisampled` makes the eight filter targets 4x multisampled; the targets of one size
  // share their multisampled buffers.
  PostProcessor(ShaderLibrary& shaders, bool multisampled, int width, int height);

  // Draws the quad with whatever program is current.
  void drawQuad() const;
  // Draws `texture` over the current viewport through filter 0 at opacity `alpha`,
  // blended over what is there. Leaves blending off and no program current.
  void drawTexture(unsigned int texture, float alpha) const;
  // Shifts the quad by (x, y) in viewport halves: "offset" becomes (2x, 2y). Leaves the
  // Filters program current.
  void setOffset(float x, float y) const;
  void clear() const;       // colour and depth
  void clearDepth() const;  // depth only

  std::unique_ptr<RenderTarget> fullTargets[4];
  std::unique_ptr<RenderTarget> halfTargets[4];
  bool multisampled = false;
  bool failed = false;
  unsigned int quadBuffer = 0;

 private:
  bool construct(ShaderLibrary& shaders, int width, int height);

  ShaderProgram* filter_ = nullptr;  // "Filters", in the shader library
};

}  // namespace quintaval
