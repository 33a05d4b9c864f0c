// Word and number reading within one line, without copying: words are views into it.
#include "textio/line_scanner.h"

#include <limits>

namespace quintaval {

void LineScanner::skipBlanks() {
  while (position_ < end_ && blanks_.has(*position_)) {
    ++position_;
  }
}

std::string_view LineScanner::nextWord() {
  skipBlanks();
  const char* start = position_;
  while (position_ < end_ && !blanks_.has(*position_)) {
    ++position_;
  }
  return std::string_view(start, static_cast<std::size_t>(position_ - start));
}

void LineScanner::skipWords(int count) {
  for (int i = 0; i < count; ++i) {
    nextWord();
  }
}

bool LineScanner::atEnd() {
  skipBlanks();
  return position_ == end_;
}

std::string_view LineScanner::lastWord() const {
  const char* stop = end_;
  while (stop > position_ && blanks_.has(stop[-1])) {
    --stop;
  }
  const char* start = stop;
  while (start > position_ && !blanks_.has(start[-1])) {
    --start;
  }
  return std::string_view(start, static_cast<std::size_t>(stop - start));
}

float LineScanner::readFloat() {
  float value = 0.0f;
  readFloatInto(value);
  if (failed_) {
    return 0.0f;
  }
  return value;
}

Vec3 LineScanner::readVec3() {
  Vec3 v;
  v.x = readFloat();
  v.y = readFloat();
  v.z = readFloat();
  return v;
}

void LineScanner::readFloatInto(float& value) {
  if (failed_) {
    return;
  }
  skipBlanks();
  if (!parseFloat(position_, end_, value)) {
    failed_ = true;
  }
}

int LineScanner::readInt() {
  if (failed_) {
    return 0;
  }
  skipBlanks();
  long long value = 0;
  if (!parseInt(position_, end_, value) || value < std::numeric_limits<int>::min() ||
      value > std::numeric_limits<int>::max()) {
    failed_ = true;
    return 0;
  }
  return static_cast<int>(value);
}

}  // namespace quintaval
