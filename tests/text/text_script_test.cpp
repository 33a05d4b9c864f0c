// The overlay text script: its header, where lines end, the style tags and their numbers,
// the line limit, and reading from files.
#include "text/text_script.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

TextScript parse(const std::string& body) {
  TextScript script;
  EXPECT_TRUE(parseTextScript("//Quintaval\n" + body, script));
  return script;
}

// "X,Y: line 0 | line 1 ...", each line as displayText gives it.
std::string summary(const TextScript& script) {
  std::string text =
      std::to_string(script.placementX) + "," + std::to_string(script.placementY) + ":";
  for (const TextLine& line : script.lines) {
    text += (&line == &script.lines.front() ? "" : " |") + displayText(line);
  }
  return text;
}

void expectStyle(const TextWord& word, int size, float r, float g, float b, float a) {
  EXPECT_EQ(word.size, size) << word.text;
  EXPECT_EQ(word.color.x, r) << word.text;
  EXPECT_EQ(word.color.y, g) << word.text;
  EXPECT_EQ(word.color.z, b) << word.text;
  EXPECT_EQ(word.color.w, a) << word.text;
}

TEST(TextScript, HeaderTokenMustMatchExactly) {
  TextScript script;
  // The rest of the header line is free text, and may be longer than any other line.
  EXPECT_TRUE(parseTextScript("//Quintaval " + std::string(5000, '-') + "\nHi <end>", script));
  EXPECT_EQ(summary(script), "0,0: Hi");
  EXPECT_TRUE(parseTextScript("//Quintaval", script));
  EXPECT_EQ(summary(script), "0,0:");
  for (const char* wrong : {"// Quintaval\n", "//quintaval\n", "//Quintaval2\n", "Hi <end>\n", "",
                            "\n//Quintaval\n"}) {
    EXPECT_FALSE(parseTextScript(wrong + std::string("<placement> 4 4\nA <end>\n"), script));
    EXPECT_EQ(summary(script), "0,0:") << wrong;
  }
}

TEST(TextScript, LinesAndPlacement) {
  const struct {
    const char* body;
    const char* expected;
  } cases[] = {
      // Lines end at "<end>", at "<placement>" or at the line end; empty ones take no number.
      {"<end>\n\n \t \r\n<placement> 7 8 extra\nA <placement> 5 5 B <end>\nNo end\ttag\r\n"
       "<placement> 9\nC <end> ignored\n<1> 2.5 <br> <end>",
       "7,8: A | No end tag | C | <1> 2.5 <br>"},
      {"<placement> +3 -4\n<placement> 1.5 2\n<placement> 2147483648 1\n<placement> 1,5 2",
       "3,-4:"},
      // A tag with a malformed or missing number ends the line there, and "Tail <size>" does
      // not take its number from the next line.
      {"Before <size> big After <end>\nKept <color> 0 0.5 half 1 Lost <end>\n"
       "<size> 99999999999 X <end>\nTail <size>\n12 Word <end>\nI <color> inf 1 1 1 Lost\n"
       "T <color> 1e-50 1 1 1 Lost\nC <color> 0,5 1 1 1 Lost\n",
       "0,0: Before | Kept | Tail | 12 Word | I | T | C"},
  };
  for (const auto& c : cases) EXPECT_EQ(summary(parse(c.body)), c.expected) << c.body;
}

TEST(TextScript, StyleStartsWhiteAtTwentyAndCarriesToLaterLines) {
  const TextScript script = parse(
      "Plain <end>\n"
      "<size> 32 <color> 1 0.5 0.5 1 Hello <end>\n"
      "Second <color> 0 <end>\n"
      "<color> 0 0 0 1 <size> 24 Word <end>\n"
      "<size> +18 <color> -.5 1e-1 2. +0.25 Y <end>\n");
  ASSERT_EQ(summary(script), "0,0: Plain | Hello | Second | <size> 24 Word | Y");
  expectStyle(script.lines[0].words[0], 20, 1, 1, 1, 1);
  expectStyle(script.lines[2].words[0], 32, 1, 0.5f, 0.5f, 1);
  // "<size>" is only recognised before "<color>" within one step.
  expectStyle(script.lines[3].words[2], 32, 0, 0, 0, 1);
  expectStyle(script.lines[4].words[0], 18, -0.5f, 0.1f, 2, 0.25f);
}

TEST(TextScript, OverlongLineEndsTheReading) {
  const std::string fits(kTextScriptLineLimit - 1, 'x');
  const std::string tooLong(kTextScriptLineLimit, 'y');
  const TextScript script = parse(fits + "\r\nA <end>\n" + tooLong + "\nB <end>\n<placement> 9 9");
  ASSERT_EQ(script.lines.size(), 2u);
  EXPECT_EQ(displayText(script.lines[1]), " A");
  EXPECT_EQ(script.placementX, 0);
}

TEST(TextScript, ReadsFilesAndFailsQuietly) {
  testing::TempDir dir;
  auto path = dir.write("Text/Text.txt", "//Quintaval\r\n<placement> 100 50\r\nHi there <end>\r\n");
  TextScript script;
  ASSERT_TRUE(readTextScript(path.string(), script));
  EXPECT_EQ(summary(script), "100,50: Hi there");
  EXPECT_FALSE(readTextScript((dir.path() / "Text").string(), script));  // a directory
  EXPECT_TRUE(script.lines.empty());
}

}  // namespace
}  // namespace quintaval
