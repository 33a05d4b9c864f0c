// Small pictures written by the tests themselves (stb_image_write, independent of the
// decoder under test). Pictures are given top row first, as image files store them.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace quintaval::testing {

using Rgba = std::array<unsigned char, 4>;

// A picture whose rows are filled with one colour each, top row first.
bool writeStripedPng(const std::filesystem::path& file, int width, const std::vector<Rgba>& rows);
// A plain picture of one colour.
bool writePng(const std::filesystem::path& file, int width, int height, Rgba color);
bool writeJpg(const std::filesystem::path& file, int width, int height, Rgba color);
// Bytes that no image reader accepts, under an image's name.
void writeCorruptImage(const std::filesystem::path& file);

}  // namespace quintaval::testing
