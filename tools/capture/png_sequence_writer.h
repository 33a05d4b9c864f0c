// Writes captured frames as numbered PNG files, DIR/frame-000000.png onwards (the number
// is the frame's index in the capture), opaque RGB, top row first as images are stored.
#pragma once

#include <string>
#include <vector>

#include "capture/frame_sink.h"

namespace quintaval {

class PngSequenceWriter : public FrameSink {
 public:
  PngSequenceWriter(std::string directory, int width, int height);

  // Creates the directory when missing. False after reporting a failure.
  bool open();
  bool writeFrame(const unsigned char* rgba, std::int64_t index) override;
  bool finish() override { return true; }

  // "frame-000042.png"
  static std::string fileName(std::int64_t index);

 private:
  std::string directory_;
  int width_;
  int height_;
  std::vector<unsigned char> rgb_;
};

}  // namespace quintaval
