// The running program's own location, and entering a folder: where a program's paths
// meet the operating system's. Paths are UTF-8 on every system; on Windows they are
// converted to and from the UTF-16 of the wide functions, so that any folder name works.
// One source file per operating system behind it, chosen by the build.
#pragma once

#include <string>

namespace quintaval {

// The running program's own path, empty when unknown.
std::string runningExecutable();

// Makes `utf8Path` the working directory. False when it cannot.
bool enterFolder(const std::string& utf8Path);

}  // namespace quintaval
