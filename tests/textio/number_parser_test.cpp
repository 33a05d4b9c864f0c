// Numbers under each format's rules, also under a decimal-comma locale, and the line
// scanner's words and numbers. Every number case is read at a position (how much was
// taken) and as a whole word (all of it or nothing).
#include "textio/number_parser.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <string>

#include "support/comma_locale.h"
#include "textio/line_scanner.h"

namespace quintaval {
namespace {

// The OBJ/MTL/Maya readers', the text script's and the track sheet's rules.
constexpr NumberRules kStream = kStreamNumbers, kScript{true, false, false}, kSheet{false, true, false};
constexpr double kInf = HUGE_VAL;

const struct {
  std::string text;
  NumberRules rules;
  bool integer;
  std::size_t taken;  // 0: not a number
  double value;
} kCases[] = {
    {"2.5;", kStream, false, 3, 2.5},  {"1,5", kStream, false, 1, 1},  // never a decimal comma
    {"+.5", kStream, false, 3, 0.5},   {"-3e2x", kStream, false, 4, -300}, {"1e", kStream, false, 1, 1},
    {"7.", kScript, false, 2, 7},      {"1e-50", kStream, false, 5, 0},    {"1e-50", kScript, false, 0, 0},
    {"1e-50", kSheet, false, 0, 0},    {"-1e39", kStream, false, 0, 0},    {"+0.25", kScript, false, 5, 0.25},
    {"+1", kSheet, false, 0, 0},       {"inf", kStream, false, 0, 0},      {"nan", kScript, false, 0, 0},
    {"NAN", kSheet, false, 3, NAN},    {"--1", kStream, false, 0, 0},      {"+-1", kScript, false, 0, 0},
    {" 1", kStream, false, 0, 0},      {".", kStream, false, 0, 0},        {"", kSheet, false, 0, 0},
    {"12/3", kStream, true, 2, 12},    {"1.5", kStream, true, 1, 1},       {"+18", kScript, true, 3, 18},
    {"+18", kSheet, true, 0, 0},       {"-x", kStream, true, 0, 0},        {"-Infinity", kSheet, false, 9, -kInf},
    {"1e-40", kScript, false, 5, double(1e-40f)}, {"3.4028235e38", kSheet, false, 12, FLT_MAX},
    {"-2147483648", kSheet, true, 11, INT_MIN},   {"99999999999999999999", kStream, true, 0, 0},
    {"2147483648", kScript, true, 10, 2147483648.0},  // beyond an int only as a whole word
};

bool same(double a, double b) {
  return std::isnan(a) ? std::isnan(b) : a == b && std::signbit(a) == std::signbit(b);
}

void checkEveryNumber() {
  for (const auto& c : kCases) {
    const char* p = c.text.data();
    long long integer = -1;
    int wholeInteger = -1;
    float real = -1, wholeReal = -1;
    const bool read = c.integer ? parseInt(p, p + c.text.size(), integer, c.rules)
                                : parseFloat(p, p + c.text.size(), real, c.rules);
    const bool readWhole = c.integer ? parseWholeInt(c.text, wholeInteger, c.rules)
                                     : parseWholeFloat(c.text, wholeReal, c.rules);
    const double value = c.integer ? static_cast<double>(integer) : real;
    const double whole = c.integer ? wholeInteger : wholeReal;
    EXPECT_EQ(read, c.taken > 0) << c.text;
    EXPECT_EQ(static_cast<std::size_t>(p - c.text.data()), c.taken) << c.text;
    EXPECT_TRUE(same(value, read ? c.value : -1)) << c.text << " read " << value;
    const bool isWhole = c.taken == c.text.size() && c.taken > 0 && (!c.integer || c.value <= INT_MAX);
    EXPECT_EQ(readWhole, isWhole) << c.text;
    EXPECT_TRUE(same(whole, isWhole ? c.value : -1)) << c.text << " read " << whole;
  }
}

TEST(NumberParser, EachFormatReadsItsOwnSpellings) { checkEveryNumber(); }

TEST(NumberParser, ADecimalCommaLocaleChangesNothing) {
  testing::ScopedCommaLocale locale;
  checkEveryNumber();
}

TEST(LineScanner, SplitsAtItsBlanksAndAFailedNumberFailsLaterReads) {
  LineScanner data(" a\tb\r\vc\fd 1.5 -2 7;x");
  LineScanner sheet(" a\tb\r\vc\fd ", BlankSet(" \t\r"));
  for (const char* word : {"a", "b", "c", "d"}) EXPECT_EQ(data.nextWord(), word);
  for (const char* word : {"a", "b", "\vc\fd", ""}) EXPECT_EQ(sheet.nextWord(), word);
  EXPECT_EQ(data.readFloat(), 1.5f);
  EXPECT_EQ(data.readInt(), -2);
  EXPECT_EQ(data.readInt(), 7);  // stops at ';'
  float kept = 4.0f;
  data.readFloatInto(kept);
  EXPECT_EQ(kept, 4.0f);
  EXPECT_TRUE(data.failed());
  EXPECT_EQ(data.readInt(), 0);
}

}  // namespace
}  // namespace quintaval
