// Small pictures written by the tests themselves (stb_image_write, independent of the
// decoder under test). Rows are given top row first, as image files store them.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace quintaval::testing {

using Rgba = std::array<unsigned char, 4>;

// A PNG whose rows are each filled with one colour.
bool writeStripedPng(const std::string& file, int width, const std::vector<Rgba>& rows);
bool writePng(const std::string& file, int width, int height, Rgba color);
bool writePixelsPng(const std::string& file, int width, int height, const std::vector<unsigned char>& rgba);
bool writeStripedJpg(const std::string& file, int width, const std::vector<Rgba>& rows);
bool writeJpg(const std::string& file, int width, int height, Rgba color);
// Bytes that no image reader accepts, under an image's name.
void writeCorruptImage(const std::string& file);

}  // namespace quintaval::testing
