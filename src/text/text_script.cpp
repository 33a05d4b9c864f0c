// Reading the overlay text script. Lines are split by the shared line reader and words
// by the shared scanner; a number must fill its word completely.
#include "text/text_script.h"

#include <algorithm>
#include <string_view>

#include "textio/line_reader.h"
#include "textio/line_scanner.h"
#include "textio/text_file.h"

namespace quintaval {
namespace {

const std::string_view kHeader = "//Quintaval";
const std::string_view kEndTag = "<end>";
const std::string_view kPlacementTag = "<placement>";
const std::string_view kSizeTag = "<size>";
const std::string_view kColorTag = "<color>";

// The script's numbers: a sign, '+' included, and plain decimals only; a value beyond the
// float range at either end is malformed.
constexpr NumberRules kScriptNumbers{true, false, false};

bool nextInt(LineScanner& words, int& value) {
  return parseWholeInt(words.nextWord(), value, kScriptNumbers);
}

bool nextFloat(LineScanner& words, float& value) {
  return parseWholeFloat(words.nextWord(), value, kScriptNumbers);
}

// The style in force for the next word. It carries over from line to line until the
// next tag; each reading of a file starts again from size 20 and opaque white.
struct Style {
  int size = 20;
  Vec4 color{1.0f, 1.0f, 1.0f, 1.0f};
};

// "<placement> X Y": both numbers or nothing changes; the rest of the line is ignored.
void readPlacement(LineScanner& words, TextScript& script) {
  int x = 0;
  int y = 0;
  if (nextInt(words, x) && nextInt(words, y)) {
    script.placementX = x;
    script.placementY = y;
  }
}

bool isLineEnd(std::string_view word) { return word == kEndTag || word == kPlacementTag; }

// One text line, starting at its first word. Within one step "<size>" is only
// recognised before "<color>", so "<color> ... <size> 24 Word" stores "<size>" and "24"
// as words. A tag with missing or malformed numbers changes nothing and ends the line
// there, keeping the words read before it.
void readTextLine(LineScanner& words, std::string_view word, Style& style, TextScript& script) {
  TextLine line;
  while (!word.empty() && !isLineEnd(word)) {
    if (word == kSizeTag) {
      int size = 0;
      if (!nextInt(words, size)) break;
      style.size = size;
      word = words.nextWord();
      if (word.empty()) break;
    }
    if (word == kColorTag) {
      Vec4 color;
      if (!nextFloat(words, color.x) || !nextFloat(words, color.y) || !nextFloat(words, color.z) ||
          !nextFloat(words, color.w)) {
        break;
      }
      style.color = color;
      word = words.nextWord();
      if (word.empty()) break;
    }
    if (isLineEnd(word)) break;
    line.words.push_back(TextWord{std::string(word), style.size, style.color});
    word = words.nextWord();
  }
  // A line without words ("<end>" alone, a blank line) takes no line number.
  if (!line.words.empty()) script.lines.push_back(std::move(line));
}

}  // namespace

bool parseTextScript(const std::string& contents, TextScript& script) {
  script = TextScript{};
  // The header line may be of any length (the rest of it is free text); the line limit
  // applies from the second line on.
  const std::string_view text = contents;
  const std::size_t headerEnd = std::min(text.find('\n'), text.size());
  if (LineScanner(text.substr(0, headerEnd)).nextWord() != kHeader) return false;
  LineReader lines(text.substr(std::min(headerEnd + 1, text.size())), kTextScriptLineLimit);
  Style style;
  std::string_view line;
  while (lines.next(line)) {
    LineScanner words(line);
    const std::string_view first = words.nextWord();
    if (first == kPlacementTag) {
      readPlacement(words, script);
    } else {
      readTextLine(words, first, style, script);
    }
  }
  return true;
}

bool readTextScript(const std::string& path, TextScript& script) {
  script = TextScript{};
  std::string contents;
  return readWholeFile(path, contents) && parseTextScript(contents, script);
}

std::string displayText(const TextLine& line) {
  std::string text;
  for (const TextWord& word : line.words) {
    text += ' ';
    text += word.text;
  }
  return text;
}

}  // namespace quintaval
