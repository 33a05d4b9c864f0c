// Opening and reading whole text files for the readers of the demo's data. Only regular
// files are read: a directory opens fine on Linux and reports a meaningless length, and a
// device or pipe has none. Contents are read to the end in blocks and never sized from the
// length the file system claims, which a sparse or damaged file may far exceed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace quintaval {

// Opens `path` for binary reading when it names a regular file, null otherwise. `size`
// gets the claimed length, good only as a hint for reserving space.
std::FILE* openRegularFile(const std::string& path, std::size_t& size);

// Why `path` is not a regular file that can be opened for reading, in the system's words
// ("No such file or directory", "Is a directory", "Permission denied"), or "not a regular
// file" for a device or pipe; empty when it is one. For tools that name what they refuse.
std::string whyNotReadable(const std::string& path);

// Reads the whole file at `path` into `contents`. False, with `contents` empty, when the
// path is not a regular file that can be opened and read to the end.
bool readWholeFile(const std::string& path, std::string& contents);

}  // namespace quintaval
