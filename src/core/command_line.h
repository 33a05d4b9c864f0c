// Command lines of the player and the tools, read with CLI11 so that their options, their
// --help and their errors look the same everywhere. A tool describes its options on a
// CLI::App (its footer ending with the exit statuses) and hands it argc/argv here: --help
// (in the form of core/help_formatter.h) and --version print to standard output and end
// the program with 0; a bad command line prints one line naming the problem, and a hint
// at --help, to standard error and ends it with 2.
#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace quintaval {

// Parses; std::nullopt when the program should go on, otherwise its exit status.
std::optional<int> parseCommandLine(CLI::App& app, int argc, char** argv);

// The usage error of a check done after parsing (two options that do not fit together),
// reported as a parse error is: one line on standard error. Returns 2.
int commandLineError(const CLI::App& app, const std::string& message);

// The widest and tallest window or picture a size may give.
constexpr int kMaxSizePixels = 16384;

// Reads "WxH" (1 to kMaxSizePixels each), e.g. "1280x720".
bool parseSize(const std::string& text, int& width, int& height);

// Reads a decimal number whatever the locale; false for anything else.
bool parseSeconds(const std::string& text, double& seconds);

// A CLI11 check for "on" or "off"; onOff() reads the value it admitted.
CLI::Validator onOffCheck();
bool onOff(const std::string& text);

}  // namespace quintaval
