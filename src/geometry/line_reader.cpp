// Whole-file reading and line splitting for the text data readers.
#include "geometry/line_reader.h"

#include <cstdio>
#include <cstring>

namespace quintaval {

bool readWholeFile(const std::string& path, std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  text.clear();
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    if (size > 0 && std::fseek(file, 0, SEEK_SET) == 0) {
      text.resize(static_cast<std::size_t>(size));
      text.resize(std::fread(text.data(), 1, text.size(), file));
    }
  }
  // Files that cannot seek (pipes) or that grew meanwhile: read on in blocks.
  char block[65536];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
    text.append(block, got);
  }
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

LineReader::LineReader(std::string_view text, std::size_t limit)
    : position_(text.data()), end_(text.data() + text.size()), limit_(limit) {}

bool LineReader::next(std::string_view& line) {
  if (stoppedAtLine_ != 0 || position_ >= end_) {
    return false;
  }
  const char* start = position_;
  const char* newline =
      static_cast<const char*>(std::memchr(start, '\n', static_cast<std::size_t>(end_ - start)));
  const char* stop = newline != nullptr ? newline : end_;
  position_ = newline != nullptr ? newline + 1 : end_;
  if (stop > start && stop[-1] == '\r') {
    --stop;
  }
  ++lineNumber_;
  if (static_cast<std::size_t>(stop - start) >= limit_) {
    stoppedAtLine_ = lineNumber_;
    return false;
  }
  line = std::string_view(start, static_cast<std::size_t>(stop - start));
  return true;
}

}  // namespace quintaval
