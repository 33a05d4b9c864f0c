// Block-wise line splitting for the text data readers.
#include "textio/line_reader.h"

#include <cstring>

#include "textio/text_file.h"

namespace quintaval {

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 18;

}  // namespace

LineReader::LineReader(std::string_view text, std::size_t limit)
    : position_(text.data()), end_(text.data() + text.size()), limit_(limit),
      totalSize_(text.size()) {}

LineReader::LineReader(FilePath file, std::size_t limit) : limit_(limit) {
  file_ = openRegularFile(file.path, totalSize_);
  opened_ = file_ != nullptr;
  // The block always holds a whole line that fits, with its line end, and then some.
  buffer_.reset(new char[kBlockSize + limit_ + 2]);
  position_ = end_ = buffer_.get();
}

LineReader::~LineReader() {
  if (file_ != nullptr) {
    std::fclose(file_);
  }
}

bool LineReader::refill() {
  if (file_ == nullptr) {
    return false;
  }
  const std::size_t kept = static_cast<std::size_t>(end_ - position_);
  std::memmove(buffer_.get(), position_, kept);
  const std::size_t got = std::fread(buffer_.get() + kept, 1, kBlockSize, file_);
  position_ = buffer_.get();
  end_ = buffer_.get() + kept + got;
  if (got == 0) {
    std::fclose(file_);
    file_ = nullptr;
  }
  return got > 0;
}

bool LineReader::next(std::string_view& line) {
  if (stoppedAtLine_ != 0) {
    return false;
  }
  const char* newline = nullptr;
  for (;;) {
    const std::size_t available = static_cast<std::size_t>(end_ - position_);
    newline = static_cast<const char*>(std::memchr(position_, '\n', available));
    // Without a line end in sight, a rest longer than any line that fits (with "\r")
    // is already known to be too long.
    if (newline != nullptr || available > limit_ + 1 || !refill()) {
      break;
    }
  }
  if (newline == nullptr && position_ == end_) {
    return false;
  }
  const char* start = position_;
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
