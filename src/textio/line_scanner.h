// Words and numbers of one line of a text data file.
//
// Words are separated by blanks: by default space, tab, carriage return, vertical tab and
// form feed; a format with fewer separators passes its own BlankSet. Numbers are read by
// the stream-extraction rules of number_parser.h: blanks skipped, then the longest number
// at the position; reading stops at the first character that cannot continue it, so
// "2.5;" reads 2.5 and "1,5" reads 1. As with a stream, a missing or malformed number
// reads as 0 and makes every later read of the same scanner fail as well (the scanner is
// then `failed`).
#pragma once

#include <cstdint>
#include <string_view>

#include "core/math.h"
#include "textio/number_parser.h"

namespace quintaval {

// A set of separator characters, all of them control characters or the space.
class BlankSet {
 public:
  constexpr explicit BlankSet(std::string_view chars) {
    for (char c : chars) bits_ |= std::uint64_t{1} << static_cast<unsigned char>(c);
  }
  constexpr bool has(char c) const {
    const auto code = static_cast<unsigned char>(c);
    return code < 64 && ((bits_ >> code) & 1) != 0;
  }

 private:
  std::uint64_t bits_ = 0;
};

inline constexpr BlankSet kBlanks{" \t\r\v\f"};

class LineScanner {
 public:
  explicit LineScanner(std::string_view line, BlankSet blanks = kBlanks)
      : position_(line.data()), end_(line.data() + line.size()), blanks_(blanks) {}

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
  BlankSet blanks_;
  bool failed_ = false;
};

}  // namespace quintaval
