// Reader of Wavefront MTL material files (the subset the demo's models use).
//
// Each newmtl block appends one Material; the lines after it up to the next newmtl fill
// it in. Lines of 256 characters or more end the reading of the file; unknown keywords
// are ignored, and so are property lines before the first newmtl. No GL is involved.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geometry/material.h"

namespace quintaval {

constexpr std::size_t kMtlLineLimit = 256;

// Appends the materials of the file at `path`. A file that cannot be opened adds nothing
// and is not reported.
void readMaterialLibrary(const std::string& path, std::vector<Material>& materials);

// The same for MTL text already in memory.
void readMaterialText(std::string_view text, std::vector<Material>& materials);

}  // namespace quintaval
