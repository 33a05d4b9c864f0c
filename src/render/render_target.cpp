// Render target set-up and resolve. A multisampled target draws into mFBO (renderbuffers
// with 4 samples, whatever the window has) and copies colour into FBO's texture on
// resolve; depth is never resolved. Completeness is checked on the stand-in storage, so
// failures are reported at construction through reportError and leave `failed` set.
#include "render/render_target.h"

#include <GL/glew.h>

#include <algorithm>

#include "core/error_report.h"

namespace quintaval {

namespace {

constexpr int kMultisampleCount = 4;

// One side of the storage made at construction: 1 for a size GL can hold; a size of 0 or
// less, or one beyond `limit`, as given, so that the framebuffer fails to complete as it
// would at full size.
int standInExtent(int extent, int limit) { return extent > limit ? extent : std::min(extent, 1); }

// Clears the framebuffer to GL's initial clear values, colour (0, 0, 0, 0) and depth 1,
// whatever clear values are set. Leaves it bound.
void clearToInitialValues(GLuint framebuffer) {
  constexpr GLfloat kColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  constexpr GLfloat kDepth = 1.0f;
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glClearBufferfv(GL_COLOR, 0, kColor);
  glClearBufferfv(GL_DEPTH, 0, &kDepth);
}

}  // namespace

RenderTarget::RenderTarget(bool multisampledFlag, int targetWidth, int targetHeight, const RenderTarget* samplesOf)
    : width(targetWidth), height(targetHeight), multisampled(multisampledFlag) {
  glGetIntegerv(GL_VIEWPORT, savedViewport);
  initialize(samplesOf);
}

bool RenderTarget::initialize(const RenderTarget* samplesOf) {
  GLint textureLimit = 0;
  GLint renderbufferLimit = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureLimit);
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbufferLimit);
  const int limit = std::min(textureLimit, renderbufferLimit);
  const int standInWidth = standInExtent(width, limit);
  const int standInHeight = standInExtent(height, limit);

  if (multisampled) {
    samples = kMultisampleCount;
    if (samplesOf != nullptr && samplesOf->msColorBuffer != 0 && samplesOf->width == width &&
        samplesOf->height == height) {
      msColorBuffer = samplesOf->msColorBuffer;
      msDepthBuffer = samplesOf->msDepthBuffer;
    } else {
      glGenRenderbuffers(1, &msColorBuffer);
      glBindRenderbuffer(GL_RENDERBUFFER, msColorBuffer);
      glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA32F, standInWidth,
                                       standInHeight);
      glGenRenderbuffers(1, &msDepthBuffer);
      glBindRenderbuffer(GL_RENDERBUFFER, msDepthBuffer);
      glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH_COMPONENT,
                                       standInWidth, standInHeight);
    }
    glGenFramebuffers(1, &mFBO);
    glBindFramebuffer(GL_FRAMEBUFFER, mFBO);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              msColorBuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                              msDepthBuffer);
    status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
      reportError("Failed to initialize mFBO!");
      failed = true;
      return false;
    }
  }

  glGenTextures(1, &colorTexture);
  glBindTexture(GL_TEXTURE_2D, colorTexture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, standInWidth, standInHeight, 0, GL_RGBA, GL_FLOAT,
               nullptr);

  glGenRenderbuffers(1, &depthBuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, standInWidth, standInHeight);

  glGenFramebuffers(1, &FBO);
  glBindFramebuffer(GL_FRAMEBUFFER, FBO);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTexture, 0);
  status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
  if (status != GL_FRAMEBUFFER_COMPLETE) {
    reportError("Failed to initialize FBO!");
    failed = true;
    return false;
  }

  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  return true;
}

// Multisampled buffers shared by targets of one size get their full storage from whichever
// of them is used first; the others find it already there. Each target's first use clears
// them all the same: what another target drew there has been resolved before.
void RenderTarget::allocateFullStorage() {
  fullStorage_ = true;
  GLint boundTexture = 0;
  GLint boundRenderbuffer = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
  glGetIntegerv(GL_RENDERBUFFER_BINDING, &boundRenderbuffer);

  glBindTexture(GL_TEXTURE_2D, colorTexture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
  glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
  if (multisampled) {
    GLint sharedWidth = 0;
    GLint sharedHeight = 0;
    glBindRenderbuffer(GL_RENDERBUFFER, msColorBuffer);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &sharedWidth);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_HEIGHT, &sharedHeight);
    if (sharedWidth != width || sharedHeight != height) {
      glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA32F, width, height);
      glBindRenderbuffer(GL_RENDERBUFFER, msDepthBuffer);
      glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH_COMPONENT, width,
                                       height);
    }
    clearToInitialValues(mFBO);
  }
  clearToInitialValues(FBO);

  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));
  glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(boundRenderbuffer));
}

void RenderTarget::bind() {
  if (!fullStorage_) allocateFullStorage();
  glBindFramebuffer(GL_FRAMEBUFFER, multisampled ? mFBO : FBO);
  glViewport(0, 0, width, height);
}

void RenderTarget::resolve() {
  if (!fullStorage_) allocateFullStorage();
  if (multisampled) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, mFBO);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, FBO);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
  }
  glViewport(savedViewport[0], savedViewport[1], savedViewport[2], savedViewport[3]);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glBindTexture(GL_TEXTURE_2D, colorTexture);
  glGenerateMipmap(GL_TEXTURE_2D);
}

}  // namespace quintaval
