// Render target set-up and resolve. A multisampled target draws into mFBO (renderbuffers
// with 4 samples, whatever the window has) and copies colour into FBO's texture on
// resolve; depth is never resolved. Failures are reported through reportError and
// leave `failed` set.
#include "render/render_target.h"

#include <GL/glew.h>

#include "core/error_report.h"

namespace quintaval {

namespace {

constexpr int kMultisampleCount = 4;

}  // namespace

RenderTarget::RenderTarget(bool multisampledFlag, int targetWidth, int targetHeight, const RenderTarget* samplesOf)
    : width(targetWidth), height(targetHeight), multisampled(multisampledFlag) {
  glGetIntegerv(GL_VIEWPORT, savedViewport);
  initialize(samplesOf);
}

bool RenderTarget::initialize(const RenderTarget* samplesOf) {
  if (multisampled) {
    samples = kMultisampleCount;
    if (samplesOf != nullptr && samplesOf->msColorBuffer != 0 && samplesOf->width == width &&
        samplesOf->height == height) {
      msColorBuffer = samplesOf->msColorBuffer;
      msDepthBuffer = samplesOf->msDepthBuffer;
    } else {
      glGenRenderbuffers(1, &msColorBuffer);
      glBindRenderbuffer(GL_RENDERBUFFER, msColorBuffer);
      glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA32F, width, height);
      glGenRenderbuffers(1, &msDepthBuffer);
      glBindRenderbuffer(GL_RENDERBUFFER, msDepthBuffer);
      glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH_COMPONENT, width, height);
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
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);

  glGenRenderbuffers(1, &depthBuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);

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

void RenderTarget::bind() const {
  glBindFramebuffer(GL_FRAMEBUFFER, multisampled ? mFBO : FBO);
  glViewport(0, 0, width, height);
}

void RenderTarget::resolve() const {
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
