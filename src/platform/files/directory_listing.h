// Listing the files of one directory by extension, the way the data loaders look for
// "*.jpg", "*.png", "*.obj" and "*.ma" files.
//
// The extension matches without regard to ASCII case (".JPG" is a ".jpg" file). Only
// regular files (symbolic links followed) are listed. The names come back sorted with
// ASCII letters folded to upper case (the order of an NTFS directory, where the data was
// authored), names that differ only in case ordered by their bytes, so the order does
// not depend on how the file system happens to store its entries.
#pragma once

#include <string>
#include <vector>

namespace quintaval {

// File names (no directory) in `directory` whose name ends with `extension` (given with
// its dot, e.g. ".jpg"). A missing or unreadable directory gives an empty list.
std::vector<std::string> listFilesWithExtension(const std::string& directory,
                                                const std::string& extension);

// The listing order: a before b when a sorts first with ASCII letters folded to upper
// case; names equal under folding are ordered by their bytes.
bool fileNameLess(const std::string& a, const std::string& b);

}  // namespace quintaval
