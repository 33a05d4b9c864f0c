// Reader of Wavefront OBJ mesh files (the subset the demo's models use) into ModelData.
//
// Keywords: # mtllib usemtl v vt vn g f; anything else is ignored. Lines of 4096
// characters or more end the reading, keeping what was read. The form of a face entry is
// decided by which record lists are non-empty when the f line is read, not by its text
// alone. A face whose indices are 0, negative, not integers or beyond the records read so
// far is dropped whole. No GL is involved: Model builds and uploads the draw data.
#pragma once

#include <string>
#include <string_view>

#include "geometry/model_data.h"

namespace quintaval {

constexpr std::size_t kObjLineLimit = 4096;

// Reads the OBJ file at `path` into `model` (which should be empty) and sets
// `model.fileName` and `model.loaded`. False, with nothing read, when the file cannot be
// opened, is not a regular file, or holds more than memory allows. MTL files named by
// mtllib are read from the OBJ file's directory.
bool readObjFile(const std::string& path, ModelData& model);

// Parses OBJ text already in memory; mtllib names are prefixed with `directory`.
// Does not touch `loaded` or `fileName`.
void readObjText(std::string_view text, const std::string& directory, ModelData& model);

// The directory part of a path, with its final '/' or '\' ("Data/Models/a.obj" gives
// "Data/Models/"); empty when the path has no separator.
std::string directoryOf(const std::string& path);

}  // namespace quintaval
