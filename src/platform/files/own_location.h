// The running program's own location, its arguments, and entering a folder: where a
// program's paths meet the operating system's. Paths are UTF-8 on every system; on Windows they are
// converted to and from the UTF-16 of the wide functions, so that any folder name works.
// One source file per operating system behind it, chosen by the build.
#pragma once

#include <string>
#include <vector>

namespace quintaval {

// The program's arguments as main() received them, in UTF-8: on Windows read again from
// the wide command line, since main()'s are in the ANSI code page.
std::vector<std::string> programArguments(int argc, char** argv);

// The running program's own path, empty when unknown.
std::string runningExecutable();

// Makes `utf8Path` the working directory. False when it cannot.
bool enterFolder(const std::string& utf8Path);

}  // namespace quintaval
