// Locale-free reading of decimal numbers for the text formats. std::from_chars does the
// conversion because it never looks at the locale: under a decimal-comma locale "1.5" is
// still 1.5, and "1,5" is 1 followed by ",5". The formats agree on the core spelling (an
// optional '-', digits with an optional '.' fraction, an optional exponent: "2", "-.5",
// "3.", "1e-3") and differ around it; NumberRules names each difference, and every reader
// states the rules of its format. Data files rely on these differences, so they stay.
#pragma once

#include <string_view>

namespace quintaval {

struct NumberRules {
  bool plusSign;         // a leading '+' is allowed
  bool nonFinite;        // "inf", "infinity", "nan" and "nan(...)", in any case, as
                         // std::from_chars reads them
  bool underflowToZero;  // a float smaller than the smallest denormal reads as 0 (or a
                         // denormal); otherwise it fails, as one beyond the largest float does
};

// What stream extraction reads in the "C" locale; the OBJ, MTL and Maya readers use these.
inline constexpr NumberRules kStreamNumbers{true, false, true};

// Reads a number at `position`, skipping no blanks and stopping at the first character
// that cannot continue it ("2.5;" reads 2.5). On success stores it, moves `position` past
// it and returns true; on failure leaves both as they were.
bool parseFloat(const char*& position, const char* end, float& value,
                const NumberRules& rules = kStreamNumbers);
// An integer the same way: digits only, no fraction, exponent or non-finite value.
bool parseInt(const char*& position, const char* end, long long& value,
              const NumberRules& rules = kStreamNumbers);

// All of `text` as one number (an int must also fit an int); on failure `value` is left
// as it was.
bool parseWholeFloat(std::string_view text, float& value, const NumberRules& rules);
bool parseWholeInt(std::string_view text, int& value, const NumberRules& rules);

}  // namespace quintaval
