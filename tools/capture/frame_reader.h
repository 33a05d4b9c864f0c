// Reads drawn frames back from the back buffer without waiting for each one: two pixel
// pack buffers take turns, so frame k is copied into one while frame k - 1, read into the
// other during the previous call, is mapped and handed on. Reading needs the GL context
// of the window current; the whole window is read, black bars included.
#pragma once

#include <GL/glew.h>

#include <cstdint>

#include "capture/frame_sink.h"

namespace quintaval {

class FrameReader {
 public:
  FrameReader(int width, int height, FrameSink& sink);
  ~FrameReader();
  FrameReader(const FrameReader&) = delete;
  FrameReader& operator=(const FrameReader&) = delete;

  // Starts reading the frame just drawn and passes the one before it to the sink.
  // False when the sink failed or the buffers could not be mapped.
  bool capture();
  // Passes the last frame still being read to the sink.
  bool finish();

  std::int64_t framesDelivered() const { return delivered_; }

 private:
  bool deliver(std::int64_t index);

  int width_;
  int height_;
  FrameSink& sink_;
  GLuint buffers_[2] = {0, 0};
  std::int64_t submitted_ = 0;
  std::int64_t delivered_ = 0;
};

}  // namespace quintaval
