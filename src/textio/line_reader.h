// Line-by-line reading of the text data formats (OBJ, MTL, Maya ASCII, the text script).
//
// Each format reads into a fixed-size line buffer: a line holds at most `limit` - 1
// characters, line end excluded, and the first line that does not fit ends the reading
// of the file (everything before it is kept). "\n" and "\r\n" both end a line. Files are
// read in blocks, so that a large model never sits in memory as text; a line handed out
// stays valid until the next call of `next`.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace quintaval {

// Names a file to read, so that a path is never taken for text.
struct FilePath {
  const std::string& path;
};

class LineReader {
 public:
  // Lines of text already in memory.
  LineReader(std::string_view text, std::size_t limit);
  // Lines of a file; `opened()` says whether it could be opened. Anything but a regular
  // file (a directory, a device) counts as not opened.
  LineReader(FilePath file, std::size_t limit);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool opened() const { return opened_; }
  // Size of the text or file in bytes, for reserving space up front. A sparse file may be
  // far larger than anything it really holds, so a reservation needs a cap of its own.
  std::size_t totalSize() const { return totalSize_; }

  // The next line, without its line end. False at the end of the text and, from then on,
  // at and after the first line that is too long.
  bool next(std::string_view& line);

  // 1-based number of the line that was too long, 0 when none was.
  int stoppedAtLine() const { return stoppedAtLine_; }

 private:
  // Moves the unread rest to the front of the buffer and reads more behind it. False when
  // nothing more could be read.
  bool refill();

  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  const char* position_ = nullptr;
  const char* end_ = nullptr;
  std::size_t limit_;
  std::size_t totalSize_ = 0;
  bool opened_ = true;
  int lineNumber_ = 0;
  int stoppedAtLine_ = 0;
};

}  // namespace quintaval
