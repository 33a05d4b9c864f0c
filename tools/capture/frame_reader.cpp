#include "capture/frame_reader.h"

#include "core/error_report.h"

namespace quintaval {

FrameReader::FrameReader(int width, int height, FrameSink& sink) : width_(width), height_(height), sink_(sink) {
  const GLsizeiptr bytes = static_cast<GLsizeiptr>(width) * height * 4;
  glGenBuffers(2, buffers_);
  for (GLuint buffer : buffers_) {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
    glBufferData(GL_PIXEL_PACK_BUFFER, bytes, nullptr, GL_STREAM_READ);
  }
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
}

FrameReader::~FrameReader() { glDeleteBuffers(2, buffers_); }

bool FrameReader::capture() {
  // The renderer leaves the window's framebuffer bound; rows are tightly packed.
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, buffers_[submitted_ % 2]);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  ++submitted_;
  if (submitted_ < 2) return true;
  return deliver(submitted_ - 2);
}

bool FrameReader::finish() {
  if (delivered_ >= submitted_) return true;
  return deliver(submitted_ - 1);
}

bool FrameReader::deliver(std::int64_t index) {
  glBindBuffer(GL_PIXEL_PACK_BUFFER, buffers_[index % 2]);
  const auto* pixels = static_cast<const unsigned char*>(glMapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY));
  if (!pixels) {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    reportError("Could not read frame " + std::to_string(index) + " back from the GPU");
    return false;
  }
  const bool written = sink_.writeFrame(pixels, index);
  glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  delivered_ = index + 1;
  return written;
}

}  // namespace quintaval
