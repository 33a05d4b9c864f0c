// Words and numbers of one line of a text data file.
//
// Words are separated by blanks (space, tab, carriage return, vertical tab, form feed).
// Numbers are read as stream extraction reads them in the "C" locale, whatever locale the
// process runs in: blanks skipped, an optional sign, then the longest decimal number
// (digits, an optional '.' fraction, an optional exponent); reading stops at the first
// character that cannot continue it, so "2.5;" reads 2.5 and "1,5" reads 1. As with a
// stream, a missing or malformed number reads as 0 and makes every later read of the same
// scanner fail as well (the scanner is then `failed`).
#pragma once

#include <string_view>

#include "core/math.h"

namespace quintaval {

constexpr bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Reads a decimal floating-point number at `position`; on success stores it, moves
// `position` past it and returns true. No blanks are skipped.
bool parseFloat(const char*& position, const char* end, float& value);
// Reads an optionally signed decimal integer the same way (no fraction, no exponent).
bool parseInt(const char*& position, const char* end, long long& value);

class LineScanner {
 public:
  explicit LineScanner(std::string_view line)
      : position_(line.data()), end_(line.data() + line.size()) {}

  // The next word, or an empty view at the end of the line.
  std::string_view nextWord();
  // Reads and drops up to `count` words.
  void skipWords(int count);
  // True when only blanks are left.
  bool atEnd();
  // The last word of what is left (empty when nothing is).
  std::string_view lastWord() const;

  float readFloat();
  int readInt();
  // Three numbers in a row; those that cannot be read are 0.
  Vec3 readVec3();
  // Like readFloat, but a failure leaves `value` as it was.
  void readFloatInto(float& value);

  bool failed() const { return failed_; }

 private:
  void skipBlanks();

  const char* position_;
  const char* end_;
  bool failed_ = false;
};

}  // namespace quintaval
