#include "assets/test_images.h"

#include <stb_image_write.h>

#include <fstream>

namespace quintaval::testing {
namespace {

std::vector<unsigned char> filled(int width, int height, const std::vector<Rgba>& rows) {
  std::vector<unsigned char> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.insert(pixels.end(), rows[y].begin(), rows[y].end());
  }
  return pixels;
}

}  // namespace

bool writeStripedPng(const std::filesystem::path& file, int width, const std::vector<Rgba>& rows) {
  int height = static_cast<int>(rows.size());
  std::vector<unsigned char> pixels = filled(width, height, rows);
  return stbi_write_png(file.string().c_str(), width, height, 4, pixels.data(), width * 4) != 0;
}

bool writePng(const std::filesystem::path& file, int width, int height, Rgba color) {
  return writeStripedPng(file, width, std::vector<Rgba>(height, color));
}

bool writeJpg(const std::filesystem::path& file, int width, int height, Rgba color) {
  std::vector<unsigned char> pixels = filled(width, height, std::vector<Rgba>(height, color));
  return stbi_write_jpg(file.string().c_str(), width, height, 4, pixels.data(), 95) != 0;
}

void writeCorruptImage(const std::filesystem::path& file) {
  std::ofstream out(file, std::ios::binary);
  out << "this is not a picture, whatever its name says";
}

}  // namespace quintaval::testing
