#include "assets/test_images.h"

#include <stb_image_write.h>

#include <fstream>

namespace quintaval::testing {
namespace {

std::vector<unsigned char> filled(int width, const std::vector<Rgba>& rows) {
  std::vector<unsigned char> pixels;
  for (const Rgba& row : rows) {
    for (int x = 0; x < width; ++x) pixels.insert(pixels.end(), row.begin(), row.end());
  }
  return pixels;
}

}  // namespace

bool writeStripedPng(const std::string& file, int width, const std::vector<Rgba>& rows) {
  std::vector<unsigned char> pixels = filled(width, rows);
  return stbi_write_png(file.c_str(), width, static_cast<int>(rows.size()), 4, pixels.data(),
                        width * 4) != 0;
}

bool writePixelsPng(const std::string& file, int width, int height, const std::vector<unsigned char>& rgba) {
  return stbi_write_png(file.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

bool writePng(const std::string& file, int width, int height, Rgba color) {
  return writeStripedPng(file, width, std::vector<Rgba>(height, color));
}

bool writeStripedJpg(const std::string& file, int width, const std::vector<Rgba>& rows) {
  std::vector<unsigned char> pixels = filled(width, rows);
  return stbi_write_jpg(file.c_str(), width, static_cast<int>(rows.size()), 4, pixels.data(), 95) != 0;
}

bool writeJpg(const std::string& file, int width, int height, Rgba color) {
  return writeStripedJpg(file, width, std::vector<Rgba>(height, color));
}

void writeCorruptImage(const std::string& file) {
  std::ofstream(file, std::ios::binary) << "this is not a picture, whatever its name says";
}

}  // namespace quintaval::testing
