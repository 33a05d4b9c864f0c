// Line-by-line reading of the text data formats (OBJ, MTL, Maya ASCII).
//
// Each format reads into a fixed-size line buffer: a line holds at most `limit` - 1
// characters, line end excluded, and the first line that does not fit ends the reading
// of the file (everything before it is kept). "\n" and "\r\n" both end a line. The file
// is read into memory at once; LineReader then hands out views into that text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quintaval {

// Reads the whole file into `text`. False when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& text);

class LineReader {
 public:
  LineReader(std::string_view text, std::size_t limit);

  // The next line, without its line end. False at the end of the text and, from then on,
  // at and after the first line that is too long.
  bool next(std::string_view& line);

  // 1-based number of the line that was too long, 0 when none was.
  int stoppedAtLine() const { return stoppedAtLine_; }

 private:
  const char* position_;
  const char* end_;
  std::size_t limit_;
  int lineNumber_ = 0;
  int stoppedAtLine_ = 0;
};

}  // namespace quintaval
