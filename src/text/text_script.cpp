// Reading the overlay text script. The whole file is read into memory and split into
// lines here; each line is split into tokens at white space. Numbers must fill their
// token completely and are converted with std::from_chars, which ignores the locale.
#include "text/text_script.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace quintaval {
namespace {

const std::string_view kHeader = "//Quintaval";
const std::string_view kEndTag = "<end>";
const std::string_view kPlacementTag = "<placement>";
const std::string_view kSizeTag = "<size>";
const std::string_view kColorTag = "<color>";

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Hands out the white-space separated tokens of one line.
class Tokens {
 public:
  explicit Tokens(std::string_view line) : rest_(line) {}

  bool next(std::string_view& token) {
    std::size_t start = 0;
    while (start < rest_.size() && isSpace(rest_[start])) ++start;
    if (start == rest_.size()) {
      rest_ = {};
      return false;
    }
    std::size_t end = start;
    while (end < rest_.size() && !isSpace(rest_[end])) ++end;
    token = rest_.substr(start, end - start);
    rest_.remove_prefix(end);
    return true;
  }

 private:
  std::string_view rest_;
};

// from_chars rejects a leading '+', which the usual number syntax allows.
std::string_view withoutPlus(std::string_view token) {
  if (token.size() > 1 && token[0] == '+' && token[1] != '-') token.remove_prefix(1);
  return token;
}

bool parseInt(std::string_view token, int& value) {
  token = withoutPlus(token);
  int parsed = 0;
  auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), parsed);
  if (error != std::errc() || end != token.data() + token.size()) return false;
  value = parsed;
  return true;
}

bool parseFloat(std::string_view token, float& value) {
  token = withoutPlus(token);
  // from_chars also takes "inf" and "nan"; the script's numbers are plain decimals.
  std::string_view digits = token;
  if (!digits.empty() && digits[0] == '-') digits.remove_prefix(1);
  if (digits.empty() || !(digits[0] == '.' || (digits[0] >= '0' && digits[0] <= '9'))) return false;
  float parsed = 0.0f;
  auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), parsed);
  if (error != std::errc() || end != token.data() + token.size() || !std::isfinite(parsed)) {
    return false;
  }
  value = parsed;
  return true;
}

bool nextInt(Tokens& tokens, int& value) {
  std::string_view token;
  return tokens.next(token) && parseInt(token, value);
}

bool nextFloat(Tokens& tokens, float& value) {
  std::string_view token;
  return tokens.next(token) && parseFloat(token, value);
}

// The style in force for the next word. It carries over from line to line until the
// next tag; each reading of a file starts again from size 20 and opaque white.
struct Style {
  int size = 20;
  Vec4 color{1.0f, 1.0f, 1.0f, 1.0f};
};

// "<placement> X Y": both numbers or nothing changes; the rest of the line is ignored.
void readPlacement(Tokens& tokens, TextScript& script) {
  int x = 0;
  int y = 0;
  if (nextInt(tokens, x) && nextInt(tokens, y)) {
    script.placementX = x;
    script.placementY = y;
  }
}

bool isLineEnd(std::string_view token) { return token == kEndTag || token == kPlacementTag; }

// One text line, starting at its first token. Within one step "<size>" is only
// recognised before "<color>", so "<color> ... <size> 24 Word" stores "<size>" and "24"
// as words. A tag with missing or malformed numbers changes nothing and ends the line
// there, keeping the words read before it.
void readTextLine(Tokens& tokens, std::string_view token, Style& style, TextScript& script) {
  TextLine line;
  bool haveToken = true;
  while (haveToken && !isLineEnd(token)) {
    if (token == kSizeTag) {
      int size = 0;
      if (!nextInt(tokens, size)) break;
      style.size = size;
      if (!tokens.next(token)) break;
    }
    if (token == kColorTag) {
      Vec4 color;
      if (!nextFloat(tokens, color.x) || !nextFloat(tokens, color.y) || !nextFloat(tokens, color.z) ||
          !nextFloat(tokens, color.w)) {
        break;
      }
      style.color = color;
      if (!tokens.next(token)) break;
    }
    if (isLineEnd(token)) break;
    line.words.push_back(TextWord{std::string(token), style.size, style.color});
    haveToken = tokens.next(token);
  }
  // A line without words ("<end>" alone, a blank line) takes no line number.
  if (!line.words.empty()) script.lines.push_back(std::move(line));
}

}  // namespace

bool parseTextScript(const std::string& contents, TextScript& script) {
  script = TextScript{};
  std::string_view rest = contents;
  bool first = true;
  Style style;
  while (!rest.empty()) {
    std::size_t newline = rest.find('\n');
    std::string_view line = rest.substr(0, newline);
    rest.remove_prefix(newline == std::string_view::npos ? rest.size() : newline + 1);
    // A CR LF pair is one line end.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    Tokens tokens(line);
    std::string_view token;
    if (first) {
      first = false;
      if (!tokens.next(token) || token != kHeader) return false;
      continue;  // the rest of the header line is free text
    }
    if (line.size() >= kTextScriptLineLimit) break;
    if (!tokens.next(token)) continue;
    if (token == kPlacementTag) {
      readPlacement(tokens, script);
    } else {
      readTextLine(tokens, token, style, script);
    }
  }
  return !first;
}

bool readTextScript(const std::string& path, TextScript& script) {
  script = TextScript{};
  if (path.empty()) return false;
  // stdio rather than a file stream: a directory opens fine on Linux, and a stream
  // reading it throws instead of reporting a read error.
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::string contents;
  char chunk[16384];
  std::size_t count = 0;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) contents.append(chunk, count);
  const bool readFailed = std::ferror(file) != 0;
  std::fclose(file);
  return !readFailed && parseTextScript(contents, script);
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
