// quintaval-inspect text FILE: the overlay text script as the program reads it — the
// placement and every line with its number, display text, drawn glyph size and words.
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>

#include "command.h"
#include "json_values.h"
#include "text/text_script.h"

namespace quintaval::inspect {
namespace {

Json wordJson(const TextWord& word) {
  return {{"text", word.text},
          {"size", word.size},
          {"color", toJson(word.color)}};
}

int inspectText(const std::string& path) {
  TextScript script;
  if (!readTextScript(path, script)) {
    std::fprintf(stderr, "quintaval-inspect: %s: no \"//Quintaval\" header; the program shows no text\n",
                 path.c_str());
    return 1;
  }
  Json lines = Json::array();
  for (std::size_t i = 0; i < script.lines.size(); ++i) {
    const TextLine& line = script.lines[i];
    Json words = Json::array();
    for (const TextWord& word : line.words) words.push_back(wordJson(word));
    lines.push_back({{"number", i},
                     {"text", displayText(line)},
                     {"glyphSize", line.words.front().size},
                     {"words", std::move(words)}});
  }
  Json result = {{"file", path},
                           {"placement", {{"x", script.placementX}, {"y", script.placementY}}},
                           {"lines", std::move(lines)}};
  // Words are raw bytes; anything that is not UTF-8 is shown as U+FFFD.
  std::printf("%s\n", result.dump(2, ' ', false, Json::error_handler_t::replace).c_str());
  return 0;
}

std::function<int()> defineText(CLI::App& command) {
  auto file = std::make_shared<std::string>();
  command.add_option("FILE", *file, "A text script")->required();
  return [file] { return inspectText(*file); };
}

const CommandRegistration kText{
    {"text", "The overlay text script: placement, lines, glyph sizes, words", defineText}};

}  // namespace
}  // namespace quintaval::inspect
