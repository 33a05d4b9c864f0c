#include "capture/png_sequence_writer.h"

#include <stb_image_write.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/error_report.h"

namespace quintaval {

PngSequenceWriter::PngSequenceWriter(std::string directory, int width, int height)
    : directory_(std::move(directory)), width_(width), height_(height) {}

bool PngSequenceWriter::open() {
  std::error_code error;
  std::filesystem::create_directories(directory_, error);
  if (!std::filesystem::is_directory(directory_)) {
    reportError("Could not create the directory " + directory_);
    return false;
  }
  rgb_.resize(static_cast<std::size_t>(width_) * height_ * 3);
  return true;
}

std::string PngSequenceWriter::fileName(std::int64_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06lld.png", static_cast<long long>(index));
  return name;
}

bool PngSequenceWriter::writeFrame(const unsigned char* rgba, std::int64_t index) {
  // Drop alpha and turn the rows over: GL gives the bottom row first.
  const std::size_t rowPixels = static_cast<std::size_t>(width_);
  for (int y = 0; y < height_; ++y) {
    const unsigned char* from = rgba + (static_cast<std::size_t>(height_ - 1 - y) * rowPixels) * 4;
    unsigned char* to = rgb_.data() + static_cast<std::size_t>(y) * rowPixels * 3;
    for (std::size_t x = 0; x < rowPixels; ++x) {
      to[3 * x] = from[4 * x];
      to[3 * x + 1] = from[4 * x + 1];
      to[3 * x + 2] = from[4 * x + 2];
    }
  }
  const std::string path = (std::filesystem::path(directory_) / fileName(index)).string();
  if (stbi_write_png(path.c_str(), width_, height_, 3, rgb_.data(), width_ * 3) == 0) {
    reportError("Could not write " + path);
    return false;
  }
  return true;
}

}  // namespace quintaval
