// CLI11's own formatter with the pieces that carry the library's notes replaced; the
// layout of groups, the usage line and the footer stay CLI11's.
#include "core/help_formatter.h"

#include <sstream>

namespace quintaval {

HelpFormatter::HelpFormatter() {
  column_width(kNameColumn);
  label("Positionals", "Arguments");
  label("SUBCOMMAND", "COMMAND");
  label("SUBCOMMANDS", "COMMANDS");
}

std::string HelpFormatter::make_description(const CLI::App* app) const {
  const std::string& description = app->get_description();
  return description.empty() ? std::string() : wrapText(description, kLineWidth) + "\n\n";
}

std::string HelpFormatter::make_subcommand(const CLI::App* command) const {
  std::stringstream out;
  CLI::detail::format_help(out, command->get_name(), wrapText(command->get_description(), kLineWidth - kNameColumn),
                           kNameColumn);
  return out.str();
}

std::string HelpFormatter::make_option_name(const CLI::Option* option, bool positional) const {
  if (positional) return option->get_name(true, false);
  std::string names;
  for (const std::string& name : option->get_snames()) names += (names.empty() ? "-" : ", -") + name;
  for (const std::string& name : option->get_lnames()) names += (names.empty() ? "--" : ", --") + name;
  return names;
}

std::string HelpFormatter::make_option_opts(const CLI::Option* option) const {
  const bool many = option->get_expected_max() >= CLI::detail::expected_max_vector_size;
  if (option->get_positional()) return many ? "..." : "";
  if (option->get_type_size() == 0) return "";
  // A check's description follows the type name after a colon ("DIR:DIR").
  const std::string type = option->get_type_name();
  return " " + type.substr(0, type.find(':')) + (many ? "..." : "");
}

std::string HelpFormatter::make_option_desc(const CLI::Option* option) const {
  return wrapText(option->get_description(), kLineWidth - kNameColumn);
}

std::string wrapText(const std::string& text, std::size_t width) {
  std::string wrapped;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!wrapped.empty()) wrapped += "\n";
    std::size_t column = 0;
    std::istringstream words(line);
    bool first = true;
    for (std::string word; words >> word; first = false) {
      if (!first && column + 1 + word.size() > width) {
        wrapped += "\n";
        column = 0;
      } else if (!first) {
        wrapped += " ";
        ++column;
      }
      wrapped += word;
      column += word.size();
    }
  }
  return wrapped;
}

}  // namespace quintaval
