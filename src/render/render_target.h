// An off-screen framebuffer whose result ends up in a floating-point colour texture.
//
// A render target of any size, optionally drawn 4x multisampled and resolved by a colour
// blit. Colours are 32-bit floats, so values outside 0..1 survive. The viewport current at
// construction is the one `resolve` returns to, so make a target after the frame's
// viewport is set. Storage comes on first use: a program makes filter targets it may never
// draw into, so construction gives each GL object a 1x1 stand-in (enough to check
// completeness) and the first bind or resolve the full size, cleared to colour 0, depth 1.
// Creators read `failed`; GL objects are never deleted.
#pragma once

namespace quintaval {

class RenderTarget {
 public:
  // `multisampled` selects the multisampled form (always 4 samples). Multisampled targets
  // of one size may share their multisampled buffers (`samplesOf`, made before, of the
  // same size): those are only a place to draw before the resolve, and a float target
  // at 4 samples takes four times the memory of its texture. Targets that share them
  // must each be resolved before another is bound.
  RenderTarget(bool multisampled, int width, int height, const RenderTarget* samplesOf = nullptr);

  // Directs drawing and clearing into the target and sets the viewport to its size. A
  // target not used before gets its full storage first; the texture and renderbuffer
  // bindings stay as they were.
  void bind();
  // Blits the multisampled colour into the texture (colour only), restores the
  // viewport saved at construction, binds the default framebuffer and leaves
  // `colorTexture` bound, with fresh mipmaps, on the active texture unit.
  void resolve();

  unsigned int colorTexture = 0;   // what users sample: GL_RGBA32F, width x height once used
  unsigned int depthBuffer = 0;    // depth renderbuffer of FBO
  unsigned int msColorBuffer = 0;  // multisampled colour renderbuffer of mFBO
  unsigned int msDepthBuffer = 0;  // multisampled depth renderbuffer of mFBO
  int width = 0;
  int height = 0;
  unsigned int FBO = 0;   // resolve framebuffer, holds colorTexture
  unsigned int mFBO = 0;  // multisampled framebuffer drawn into when multisampled
  int savedViewport[4] = {0, 0, 0, 0};
  int samples = 0;
  unsigned int status = 0;  // last glCheckFramebufferStatus result
  bool failed = false;
  bool multisampled = false;

 private:
  bool initialize(const RenderTarget* samplesOf);
  void allocateFullStorage();

  bool fullStorage_ = false;
};

}  // namespace quintaval
