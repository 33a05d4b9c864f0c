// The overlay text script: every line of text the demo can show, the size and colour
// of each word, and where the text sits on screen.
//
// The file starts with the token "//Quintaval"; then each line is either a placement
// line ("<placement> X Y") or a text line of words and the style tags "<size> N" and
// "<color> R G B A", normally closed by "<end>". Reading needs no GL and parses numbers
// the same way under every locale. Placement is in pixels from the lower left corner of
// the viewport, y upwards.
#pragma once

#include <string>
#include <vector>

#include "core/math.h"

namespace quintaval {

struct TextWord {
  std::string text;  // the word, without spaces
  int size = 20;     // glyph cell size in pixels
  Vec4 color;        // red, green, blue, alpha; kept with the word, not used for drawing
};

struct TextLine {
  std::vector<TextWord> words;  // never empty
  std::string text;             // display text, filled in by the overlay once it can draw
};

struct TextScript {
  int placementX = 0;
  int placementY = 0;
  std::vector<TextLine> lines;  // index = line number for "text.line"
};

// The longest line the format allows is one byte shorter than this; a longer line ends
// the reading, and it and every line after it are ignored.
constexpr std::size_t kTextScriptLineLimit = 4096;

// Parses the contents of a script file into `script` (replacing what it held). Returns
// false, with `script` empty, when the header token is missing.
bool parseTextScript(const std::string& contents, TextScript& script);

// Reads and parses the script file at `path`. Returns false, with `script` empty, for an
// empty path, a file that cannot be read, or a missing header.
bool readTextScript(const std::string& path, TextScript& script);

// The text drawn for a line: each word preceded by one space, so the text starts with a
// space and words are separated by exactly one space whatever the file's spacing.
std::string displayText(const TextLine& line);

}  // namespace quintaval
