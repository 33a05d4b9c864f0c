// Locale-independent word and number reading for the text data readers. std::from_chars
// is used because it never looks at the locale; the stream-extraction details it does not
// share (a leading '+', no "inf" or "nan") are handled around it.
#include "geometry/line_scanner.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quintaval {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool parseFloat(const char*& position, const char* end, float& value) {
  const char* p = position;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  // Only digits or a point may start the number itself: stream extraction does not read
  // "inf", "nan" or a second sign.
  if (p == end || !(isDigit(*p) || *p == '.')) {
    return false;
  }
  float parsed = 0.0f;
  auto result = std::from_chars(p, end, parsed, std::chars_format::general);
  if (result.ec == std::errc::invalid_argument) {
    return false;
  }
  if (result.ec == std::errc::result_out_of_range) {
    // Below the float range reads as 0 (or a denormal), as strtof gives it; beyond the
    // largest float it is a failure, as in stream extraction.
    double wide = 0.0;
    auto wideResult = std::from_chars(p, end, wide, std::chars_format::general);
    if (wideResult.ec != std::errc() ||
        std::fabs(wide) > static_cast<double>(std::numeric_limits<float>::max())) {
      return false;
    }
    parsed = static_cast<float>(wide);
  }
  value = negative ? -parsed : parsed;
  position = result.ptr;
  return true;
}

bool parseInt(const char*& position, const char* end, long long& value) {
  const char* p = position;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  if (p == end || !isDigit(*p)) {
    return false;
  }
  long long parsed = 0;
  auto result = std::from_chars(p, end, parsed);
  if (result.ec != std::errc()) {
    return false;
  }
  value = negative ? -parsed : parsed;
  position = result.ptr;
  return true;
}

void LineScanner::skipBlanks() {
  while (position_ < end_ && isBlank(*position_)) {
    ++position_;
  }
}

std::string_view LineScanner::nextWord() {
  skipBlanks();
  const char* start = position_;
  while (position_ < end_ && !isBlank(*position_)) {
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
  while (stop > position_ && isBlank(stop[-1])) {
    --stop;
  }
  const char* start = stop;
  while (start > position_ && !isBlank(start[-1])) {
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
