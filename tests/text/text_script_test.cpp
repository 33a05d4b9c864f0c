#include "text/text_script.h"

#include <gtest/gtest.h>

#include <locale>

#include "support/comma_locale.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

using Words = std::vector<std::string>;

TextScript parse(const std::string& body) {
  TextScript script;
  EXPECT_TRUE(parseTextScript("//Quintaval\n" + body, script));
  return script;
}

Words wordsOf(const TextLine& line) {
  Words words;
  for (const auto& word : line.words) words.push_back(word.text);
  return words;
}

void expectColor(const Vec4& c, float r, float g, float b, float a) {
  EXPECT_FLOAT_EQ(c.x, r);
  EXPECT_FLOAT_EQ(c.y, g);
  EXPECT_FLOAT_EQ(c.z, b);
  EXPECT_FLOAT_EQ(c.w, a);
}

TEST(TextScript, HeaderTokenMustMatchExactly) {
  TextScript script;
  EXPECT_TRUE(parseTextScript("//Quintaval demo text, version 2\nHello <end>\n", script));
  EXPECT_EQ(script.lines.size(), 1u);
  EXPECT_TRUE(parseTextScript("//Quintaval\n", script));
  EXPECT_TRUE(script.lines.empty());
  EXPECT_EQ(script.placementX, 0);
  EXPECT_EQ(script.placementY, 0);
  for (const char* wrong : {"// Quintaval\n", "//quintaval\n", "//Quintaval2\n", "Hello <end>\n", "", "\n//Quintaval\n"}) {
    EXPECT_FALSE(parseTextScript(std::string(wrong) + "<placement> 4 4\nA <end>\n", script)) << wrong;
    EXPECT_TRUE(script.lines.empty()) << wrong;
    EXPECT_EQ(script.placementX, 0) << wrong;
  }
}

TEST(TextScript, StyleStartsWhiteAtTwentyAndCarriesToLaterLines) {
  TextScript script = parse(
      "Plain <end>\n"
      "<size> 32 <color> 1 0.5 0.5 1 Hello <end>\n"
      "Second <end>\n"
      "<color> 0 0 0 1 <size> 24 Word <end>\n");
  ASSERT_EQ(script.lines.size(), 4u);
  EXPECT_EQ(script.lines[0].words[0].size, 20);
  expectColor(script.lines[0].words[0].color, 1, 1, 1, 1);
  EXPECT_EQ(script.lines[2].words[0].size, 32);
  expectColor(script.lines[2].words[0].color, 1, 0.5f, 0.5f, 1);
  // "<size>" is only recognised before "<color>" within one step.
  EXPECT_EQ(wordsOf(script.lines[3]), (Words{"<size>", "24", "Word"}));
  EXPECT_EQ(script.lines[3].words[2].size, 32);
}

TEST(TextScript, MalformedOrMissingNumbersChangeNothingAndEndTheLine) {
  TextScript script = parse(
      "Before <size> big After <end>\n"
      "Kept <color> 0 0.5 half 1 Lost <end>\n"
      "<size> 99999999999 X <end>\n"
      "Tail <size>\n"
      "12 Word <end>\n"
      "<size> +18 <color> -.5 1e-1 2. +0.25 Y <end>\n");
  ASSERT_EQ(script.lines.size(), 5u);
  EXPECT_EQ(wordsOf(script.lines[0]), Words{"Before"});
  EXPECT_EQ(wordsOf(script.lines[1]), Words{"Kept"});
  // "Tail <size>" does not take its number from the next line.
  EXPECT_EQ(wordsOf(script.lines[3]), (Words{"12", "Word"}));
  EXPECT_EQ(script.lines[3].words[0].size, 20);
  expectColor(script.lines[3].words[0].color, 1, 1, 1, 1);
  EXPECT_EQ(script.lines[4].words[0].size, 18);
  expectColor(script.lines[4].words[0].color, -0.5f, 0.1f, 2.0f, 0.25f);
}

TEST(TextScript, LinesEndAtEndTagPlacementTagOrLineEnd) {
  TextScript script = parse(
      "<end>\n\n \t \r\n"
      "<placement> 7 8 extra\n"
      "A <placement> 5 5 B <end>\n"
      "No end\ttag\r\n"
      "<placement> 9\n"
      "C <end> ignored\n"
      "<1> 2.5 <br> <end>");
  ASSERT_EQ(script.lines.size(), 4u);
  EXPECT_EQ(wordsOf(script.lines[0]), Words{"A"});
  EXPECT_EQ(wordsOf(script.lines[1]), (Words{"No", "end", "tag"}));
  EXPECT_EQ(wordsOf(script.lines[2]), Words{"C"});
  EXPECT_EQ(wordsOf(script.lines[3]), (Words{"<1>", "2.5", "<br>"}));
  EXPECT_EQ(script.placementX, 7);
  EXPECT_EQ(script.placementY, 8);
  EXPECT_EQ(displayText(script.lines[1]), " No end tag");
}

TEST(TextScript, OverlongLineEndsTheReading) {
  std::string fits(kTextScriptLineLimit - 1, 'x');
  std::string tooLong(kTextScriptLineLimit, 'y');
  TextScript script = parse(fits + "\r\nA <end>\n" + tooLong + "\nB <end>\n<placement> 9 9\n");
  ASSERT_EQ(script.lines.size(), 2u);
  EXPECT_EQ(script.lines[1].words[0].text, "A");
  EXPECT_EQ(script.placementX, 0);
}

TEST(TextScript, DecimalCommaLocaleGivesTheSameNumbers) {
  testing::ScopedCommaLocale locale;
  TextScript script = parse("<placement> 1200 34\n<size> 1024 <color> 0.5 0.25 1e-2 1 A <end>\nB <color> 0,5 1 1 1 C <end>\n");
  locale.restore();
  ASSERT_EQ(script.lines.size(), 2u);
  EXPECT_EQ(script.placementX, 1200);
  EXPECT_EQ(script.lines[0].words[0].size, 1024);
  expectColor(script.lines[0].words[0].color, 0.5f, 0.25f, 0.01f, 1.0f);
  EXPECT_EQ(wordsOf(script.lines[1]), Words{"B"});  // a comma is never a decimal point
}

TEST(TextScript, ReadsFilesAndFailsQuietly) {
  testing::TempDir dir;
  auto path = dir.write("Text/Text.txt", "//Quintaval\r\n<placement> 100 50\r\nHi there <end>\r\n");
  TextScript script;
  ASSERT_TRUE(readTextScript(path.string(), script));
  EXPECT_EQ(script.placementX, 100);
  ASSERT_EQ(script.lines.size(), 1u);
  EXPECT_EQ(wordsOf(script.lines[0]), (Words{"Hi", "there"}));
  for (const auto& bad : {std::string(), (dir.path() / "missing.txt").string(), (dir.path() / "Text").string()}) {
    EXPECT_FALSE(readTextScript(bad, script)) << bad;
    EXPECT_TRUE(script.lines.empty());
  }
}

}  // namespace
}  // namespace quintaval
