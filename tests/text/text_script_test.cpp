#include "text/text_script.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

TextScript parse(const std::string& contents) {
  TextScript script;
  EXPECT_TRUE(parseTextScript(contents, script));
  return script;
}

std::vector<std::string> wordsOf(const TextLine& line) {
  std::vector<std::string> words;
  for (const auto& word : line.words) words.push_back(word.text);
  return words;
}

void expectColor(const Vec4& color, float r, float g, float b, float a) {
  EXPECT_FLOAT_EQ(color.x, r);
  EXPECT_FLOAT_EQ(color.y, g);
  EXPECT_FLOAT_EQ(color.z, b);
  EXPECT_FLOAT_EQ(color.w, a);
}

TEST(TextScriptHeader, FirstTokenMustBeExactlyTheHeader) {
  TextScript script;
  EXPECT_TRUE(parseTextScript("//Quintaval demo text, version 2\nHello <end>\n", script));
  EXPECT_EQ(script.lines.size(), 1u);

  for (const char* wrong : {"// Quintaval\nHello <end>\n", "//quintaval\nHello <end>\n",
                            "//Quintaval2\nHello <end>\n", "Hello <end>\n", "", "\n//Quintaval\nHello <end>\n"}) {
    script.placementX = 3;
    EXPECT_FALSE(parseTextScript(std::string(wrong) + "<placement> 4 4\n", script)) << wrong;
    EXPECT_TRUE(script.lines.empty()) << wrong;
    EXPECT_EQ(script.placementX, 0) << wrong;
  }
}

TEST(TextScriptHeader, HeaderAloneGivesNoLinesAndPlacementAtOrigin) {
  TextScript script = parse("//Quintaval\n");
  EXPECT_TRUE(script.lines.empty());
  EXPECT_EQ(script.placementX, 0);
  EXPECT_EQ(script.placementY, 0);
}

TEST(TextScriptStyle, FirstWordIsSizeTwentyAndWhite) {
  TextScript script = parse("//Quintaval\nHello <end>\n");
  ASSERT_EQ(script.lines.size(), 1u);
  EXPECT_EQ(script.lines[0].words[0].size, 20);
  expectColor(script.lines[0].words[0].color, 1, 1, 1, 1);
}

TEST(TextScriptStyle, TagsHoldForLaterWordsAndLines) {
  TextScript script = parse(
      "//Quintaval\n"
      "<size> 32 <color> 1 0.5 0.5 1 Hello world <end>\n"
      "<size> 10 First <end>\n"
      "Second <end>\n");
  ASSERT_EQ(script.lines.size(), 3u);
  for (const auto& word : script.lines[0].words) {
    EXPECT_EQ(word.size, 32);
    expectColor(word.color, 1, 0.5f, 0.5f, 1);
  }
  EXPECT_EQ(script.lines[2].words[0].size, 10);
  expectColor(script.lines[2].words[0].color, 1, 0.5f, 0.5f, 1);
}

TEST(TextScriptStyle, SizeIsRecognisedOnlyBeforeColourWithinAStep) {
  TextScript script = parse(
      "//Quintaval\n"
      "<color> 1 1 1 1 <size> 24 Word <end>\n"
      "<size> 24 <color> 0 1 0 1 Word <end>\n");
  ASSERT_EQ(script.lines.size(), 2u);
  EXPECT_EQ(wordsOf(script.lines[0]), (std::vector<std::string>{"<size>", "24", "Word"}));
  EXPECT_EQ(script.lines[0].words[2].size, 20);
  ASSERT_EQ(script.lines[1].words.size(), 1u);
  EXPECT_EQ(script.lines[1].words[0].size, 24);
  expectColor(script.lines[1].words[0].color, 0, 1, 0, 1);
}

TEST(TextScriptStyle, MalformedOrMissingNumbersChangeNothingAndEndTheLine) {
  TextScript script = parse(
      "//Quintaval\n"
      "Before <size> big After <end>\n"
      "Kept <color> 0 0.5 half 1 Lost <end>\n"
      "Tail <size>\n"
      "12 Word <end>\n"
      "<size> 99999999999 X <end>\n"
      "<color> 0 0 0 nan Y <end>\n");
  ASSERT_EQ(script.lines.size(), 4u);
  EXPECT_EQ(wordsOf(script.lines[0]), (std::vector<std::string>{"Before"}));
  EXPECT_EQ(wordsOf(script.lines[1]), (std::vector<std::string>{"Kept"}));
  EXPECT_EQ(wordsOf(script.lines[2]), (std::vector<std::string>{"Tail"}));
  // The tag at the end of "Tail <size>" does not take its number from the next line.
  EXPECT_EQ(wordsOf(script.lines[3]), (std::vector<std::string>{"12", "Word"}));
  EXPECT_EQ(script.lines[3].words[0].size, 20);
  expectColor(script.lines[3].words[0].color, 1, 1, 1, 1);
}

TEST(TextScriptStyle, NumbersTakeTheUsualSyntax) {
  TextScript script = parse("//Quintaval\n<size> +18 <color> -.5 1e-1 2. +0.25 A <end>\n");
  ASSERT_EQ(script.lines.size(), 1u);
  EXPECT_EQ(script.lines[0].words[0].size, 18);
  expectColor(script.lines[0].words[0].color, -0.5f, 0.1f, 2.0f, 0.25f);
}

TEST(TextScriptLines, LinesWithoutWordsTakeNoNumber) {
  TextScript script = parse("//Quintaval\n<end>\n\n   \t\nFirst <end>\n<size> 12 <end>\nSecond <end>\n");
  ASSERT_EQ(script.lines.size(), 2u);
  EXPECT_EQ(script.lines[0].words[0].text, "First");
  EXPECT_EQ(script.lines[1].words[0].text, "Second");
  EXPECT_EQ(script.lines[1].words[0].size, 12);
}

TEST(TextScriptLines, LineEndsAtEndTagPlacementTagOrEndOfLine) {
  TextScript script = parse(
      "//Quintaval\n"
      "<placement> 7 8\n"
      "A <placement> 5 5 B <end>\n"
      "No end tag here\n"
      "C <end> ignored after end\n"
      "<1> 2.5 <br> <end>");
  ASSERT_EQ(script.lines.size(), 4u);
  EXPECT_EQ(wordsOf(script.lines[0]), (std::vector<std::string>{"A"}));
  EXPECT_EQ(script.placementX, 7);
  EXPECT_EQ(script.placementY, 8);
  EXPECT_EQ(wordsOf(script.lines[1]), (std::vector<std::string>{"No", "end", "tag", "here"}));
  EXPECT_EQ(wordsOf(script.lines[2]), (std::vector<std::string>{"C"}));
  EXPECT_EQ(wordsOf(script.lines[3]), (std::vector<std::string>{"<1>", "2.5", "<br>"}));
}

TEST(TextScriptLines, LastGoodPlacementWins) {
  TextScript script = parse(
      "//Quintaval\n<placement> 10 20 extra words\nA <end>\n<placement> 30 40\n<placement> 50\n"
      "<placement> 60 x\nB <end>\n");
  EXPECT_EQ(script.placementX, 30);
  EXPECT_EQ(script.placementY, 40);
  EXPECT_EQ(script.lines.size(), 2u);
}

TEST(TextScriptLines, CarriageReturnLineFeedIsOneLineEnd) {
  TextScript script = parse("//Quintaval\r\n<placement> 1 2\r\nHello\tworld <end>\r\nNext <end>");
  ASSERT_EQ(script.lines.size(), 2u);
  EXPECT_EQ(wordsOf(script.lines[0]), (std::vector<std::string>{"Hello", "world"}));
  EXPECT_EQ(script.placementY, 2);
}

TEST(TextScriptLines, OverlongLineEndsTheReading) {
  std::string fits(kTextScriptLineLimit - 1, 'x');
  std::string tooLong(kTextScriptLineLimit, 'y');
  TextScript script = parse("//Quintaval\n" + fits + "\nA <end>\n" + tooLong + "\nB <end>\n<placement> 9 9\n");
  ASSERT_EQ(script.lines.size(), 2u);
  EXPECT_EQ(script.lines[0].words[0].text.size(), fits.size());
  EXPECT_EQ(script.lines[1].words[0].text, "A");
  EXPECT_EQ(script.placementX, 0);
}

TEST(TextScriptLines, DisplayTextJoinsWordsWithOneLeadingSpace) {
  TextScript script = parse("//Quintaval\n   Hi \t  there   <end>\n");
  ASSERT_EQ(script.lines.size(), 1u);
  EXPECT_EQ(displayText(script.lines[0]), " Hi there");
  EXPECT_TRUE(script.lines[0].text.empty());  // filled in by the overlay, not the reader
}

// A decimal-comma locale, built in so the test does not depend on installed locales.
struct CommaDecimal : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

class ScopedCommaLocale {
 public:
  ScopedCommaLocale() : previous_(std::locale::global(std::locale(std::locale::classic(), new CommaDecimal))) {
    previousC_ = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
      if (std::setlocale(LC_NUMERIC, name)) break;
    }
  }
  ~ScopedCommaLocale() {
    std::locale::global(previous_);
    std::setlocale(LC_NUMERIC, previousC_.c_str());
  }

 private:
  std::locale previous_;
  std::string previousC_;
};

TEST(TextScriptLocale, DecimalCommaLocaleGivesTheSameNumbers) {
  const std::string contents = "//Quintaval\n<placement> 1200 34\n<size> 1024 <color> 0.5 0.25 1e-2 1 A <end>\n";
  TextScript plain = parse(contents);
  ScopedCommaLocale comma;
  TextScript local = parse(contents);
  ASSERT_EQ(local.lines.size(), 1u);
  EXPECT_EQ(local.placementX, 1200);
  EXPECT_EQ(local.lines[0].words[0].size, 1024);
  expectColor(local.lines[0].words[0].color, 0.5f, 0.25f, 0.01f, 1.0f);
  expectColor(plain.lines[0].words[0].color, 0.5f, 0.25f, 0.01f, 1.0f);
  // A comma is never a decimal point in the script.
  TextScript commaText = parse("//Quintaval\nA <color> 0,5 1 1 1 B <end>\nC <end>\n");
  ASSERT_EQ(commaText.lines.size(), 2u);
  EXPECT_EQ(commaText.lines[0].words.size(), 1u);
  expectColor(commaText.lines[1].words[0].color, 1, 1, 1, 1);
}

TEST(TextScriptFile, ReadsFromDiskAndFailsQuietlyOtherwise) {
  testing::TempDir dir;
  auto path = dir.write("Text/Text.txt", "//Quintaval\r\n<placement> 100 50\r\nHi there <end>\r\n");
  TextScript script;
  ASSERT_TRUE(readTextScript(path.string(), script));
  EXPECT_EQ(script.placementX, 100);
  ASSERT_EQ(script.lines.size(), 1u);
  EXPECT_EQ(wordsOf(script.lines[0]), (std::vector<std::string>{"Hi", "there"}));

  EXPECT_FALSE(readTextScript("", script));
  EXPECT_TRUE(script.lines.empty());
  EXPECT_FALSE(readTextScript((dir.path() / "missing.txt").string(), script));
  EXPECT_FALSE(readTextScript((dir.path() / "Text").string(), script));
}

}  // namespace
}  // namespace quintaval
