#include "core/command_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "core/help_formatter.h"

namespace quintaval {
namespace {

// Edits (insertions, deletions, replacements, swaps of neighbours) from `a` to `b`.
std::size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

// The long option of `app` nearest to `typed` ("--windw" gives "--window"), or "" when
// none is near enough to be what was meant.
std::string nearestOption(const CLI::App& app, const std::string& typed) {
  std::string nearest;
  std::size_t best = std::max<std::size_t>(1, (typed.size() - 2) / 3) + 1;
  for (const CLI::Option* option : app.get_options()) {
    for (const std::string& name : option->get_lnames()) {
      const std::size_t distance = editDistance(typed, "--" + name);
      if (distance < best) {
        best = distance;
        nearest = "--" + name;
      }
    }
  }
  return nearest;
}

// What to say about the words no option or argument took, found on `app` or on the
// command the words were typed after: an unknown option first, then a word where a
// command was due, then the words themselves, in the order typed.
std::string leftOverMessage(const CLI::App& app) {
  const CLI::App* holder = &app;
  std::vector<std::string> words = app.remaining();
  while (words.empty() && !holder->get_subcommands().empty()) {
    holder = holder->get_subcommands().front();
    words = holder->remaining();
  }
  for (const std::string& word : words) {
    if (word.size() < 2 || word[0] != '-' || word == "--") continue;
    const std::string option = word.substr(0, word.find('='));
    const std::string nearest = option.compare(0, 2, "--") == 0 ? nearestOption(*holder, option) : "";
    return "unknown option '" + option + "'" + (nearest.empty() ? "" : "; did you mean '" + nearest + "'?");
  }
  const std::vector<const CLI::App*> commands =
      holder->get_subcommands([](const CLI::App* command) { return !command->get_name().empty(); });
  if (!words.empty() && !commands.empty() && holder->get_subcommands().empty()) {
    std::string names;
    for (std::size_t i = 0; i < commands.size(); ++i) {
      names += (i == 0 ? "" : i + 1 == commands.size() ? " and " : ", ") + commands[i]->get_name();
    }
    return "unknown command '" + words.front() + "'; the commands are " + names;
  }
  std::string typed;
  for (const std::string& word : words) typed += (typed.empty() ? "" : " ") + word;
  return std::string(words.size() == 1 ? "unexpected argument '" : "unexpected arguments '") + typed + "'";
}

// The house form of --help on `app` and on each of its commands, which CLI11 lists
// under "Commands".
void useHelpFormatter(CLI::App& app, const std::shared_ptr<HelpFormatter>& formatter) {
  app.formatter(formatter);
  for (CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    if (!command->get_name().empty()) command->group("Commands");
    useHelpFormatter(*command, formatter);
  }
}

}  // namespace

std::optional<int> parseCommandLine(CLI::App& app, int argc, char** argv) {
  useHelpFormatter(app, std::make_shared<HelpFormatter>());
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), stdout);
    return 0;
  } catch (const CLI::CallForVersion&) {
    std::printf("%s\n", app.version().c_str());
    return 0;
  } catch (const CLI::ExtrasError&) {
    return commandLineError(app, leftOverMessage(app));
  } catch (const CLI::ParseError& error) {
    return commandLineError(app, error.what());
  }
  return std::nullopt;
}

int commandLineError(const CLI::App& app, const std::string& message) {
  const std::string& name = app.get_name();
  std::fprintf(stderr, "%s: %s\n(%s --help shows the usage)\n", name.c_str(), message.c_str(), name.c_str());
  return 2;
}

bool parseSize(const std::string& text, int& width, int& height) {
  const char* end = text.data() + text.size();
  auto [afterWidth, widthError] = std::from_chars(text.data(), end, width);
  if (widthError != std::errc() || afterWidth == end || *afterWidth != 'x') return false;
  auto [afterHeight, heightError] = std::from_chars(afterWidth + 1, end, height);
  if (heightError != std::errc() || afterHeight != end) return false;
  return width >= 1 && height >= 1 && width <= kMaxSizePixels && height <= kMaxSizePixels;
}

bool parseSeconds(const std::string& text, double& seconds) {
  const char* end = text.data() + text.size();
  auto [after, error] = std::from_chars(text.data(), end, seconds);
  return error == std::errc() && after == end && std::isfinite(seconds);
}

CLI::Validator onOffCheck() { return CLI::IsMember({"on", "off"}); }

bool onOff(const std::string& text) { return text == "on"; }

}  // namespace quintaval
