// The --help of the player and the tools, in one form: the description, a blank line, the
// usage, the arguments, options and commands with their descriptions wrapped to 80
// columns, then the footer, which ends with the exit statuses. An option shows its name
// and the type of its value (--data DIR, --vsync on|off), without the notes the option
// library adds of itself (TEXT, REQUIRED, a check's description, Excludes:).
#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace quintaval {

class HelpFormatter : public CLI::Formatter {
 public:
  static constexpr std::size_t kLineWidth = 80;
  static constexpr std::size_t kNameColumn = 26;  // where descriptions start

  HelpFormatter();

  std::string make_description(const CLI::App* app) const override;
  std::string make_subcommand(const CLI::App* command) const override;
  std::string make_option_name(const CLI::Option* option, bool positional) const override;
  std::string make_option_opts(const CLI::Option* option) const override;
  std::string make_option_desc(const CLI::Option* option) const override;
};

// Breaks `text` at white space into lines of at most `width` characters (a longer word
// keeps a line of its own); the line breaks it already has stay.
std::string wrapText(const std::string& text, std::size_t width);

}  // namespace quintaval
