// Which demo a program plays: the folder whose Data/ it reads. The player and
// quintaval-capture enter that folder before reading anything. Paths are UTF-8.
#pragma once

#include <string>

namespace quintaval {

// The folder given with --data when there is one; otherwise the working directory when it
// holds Data/ (returned as an empty string: nothing to enter); otherwise the sample demo
// installed beside the program (share/quintaval/demo for a program in bin/), found from
// `executable` so that a relocated or staged install finds its own. When none has Data/,
// an empty string too: the program stays where it is.
std::string findDemoFolder(const std::string& dataOption, const std::string& executable);

// When `folder`, as findDemoFolder() returned it, holds no Data/: one line naming, as
// absolute paths, the folders looked in (the one --data named; else the working directory
// and, when the program's path is known, the installed sample demo's place) and --data DIR.
// Empty when there is a Data/. Called before entering the folder.
std::string missingDataMessage(const std::string& folder, const std::string& dataOption,
                               const std::string& executable);

// The folder `fromBin` leads to from `executable`'s folder, when it holds `entry`; else
// an empty string. How an installed program finds what was installed beside it.
std::string installedBeside(const std::string& executable, const std::string& fromBin, const std::string& entry);

}  // namespace quintaval
