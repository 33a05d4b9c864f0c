// Number reading around std::from_chars, which takes no leading '+' and takes the
// non-finite spellings unasked; the sign and the first character are therefore checked
// here, before it runs.
#include "textio/number_parser.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quintaval {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Steps over a sign the rules allow; true when it was '-'.
bool takeSign(const char*& p, const char* end, const NumberRules& rules) {
  if (p < end && (*p == '-' || (*p == '+' && rules.plusSign))) {
    return *p++ == '-';
  }
  return false;
}

bool startsFloat(char c, const NumberRules& rules) {
  if (isDigit(c) || c == '.') {
    return true;
  }
  return rules.nonFinite && (c == 'i' || c == 'I' || c == 'n' || c == 'N');
}

}  // namespace

bool parseFloat(const char*& position, const char* end, float& value, const NumberRules& rules) {
  const char* p = position;
  const bool negative = takeSign(p, end, rules);
  if (p == end || !startsFloat(*p, rules)) {
    return false;
  }
  float parsed = 0.0f;
  auto result = std::from_chars(p, end, parsed, std::chars_format::general);
  if (result.ec == std::errc::invalid_argument) {
    return false;
  }
  if (result.ec == std::errc::result_out_of_range) {
    // Below the float range reads as 0 (or a denormal), as strtof gives it, where the
    // rules say so; beyond the largest float it is always a failure.
    double wide = 0.0;
    auto wideResult = std::from_chars(p, end, wide, std::chars_format::general);
    if (!rules.underflowToZero || wideResult.ec != std::errc() ||
        std::fabs(wide) > static_cast<double>(std::numeric_limits<float>::max())) {
      return false;
    }
    parsed = static_cast<float>(wide);
  }
  value = negative ? -parsed : parsed;
  position = result.ptr;
  return true;
}

bool parseInt(const char*& position, const char* end, long long& value, const NumberRules& rules) {
  const char* p = position;
  const bool negative = takeSign(p, end, rules);
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

bool parseWholeFloat(std::string_view text, float& value, const NumberRules& rules) {
  const char* p = text.data();
  const char* end = p + text.size();
  float parsed = 0.0f;
  if (!parseFloat(p, end, parsed, rules) || p != end) {
    return false;
  }
  value = parsed;
  return true;
}

bool parseWholeInt(std::string_view text, int& value, const NumberRules& rules) {
  const char* p = text.data();
  const char* end = p + text.size();
  long long parsed = 0;
  if (!parseInt(p, end, parsed, rules) || p != end || parsed < std::numeric_limits<int>::min() ||
      parsed > std::numeric_limits<int>::max()) {
    return false;
  }
  value = static_cast<int>(parsed);
  return true;
}

}  // namespace quintaval
