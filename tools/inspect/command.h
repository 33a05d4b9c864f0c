// Sub-commands of quintaval-inspect. Each inspect_<kind>.cpp defines one command and
// registers it with a file-scope CommandRegistration; main() gives every command a CLI11
// sub-command to declare its arguments on, and runs the one the command line names. Each
// command names its files "FILE", which main() checks are readable before it runs.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

namespace quintaval::inspect {

struct Command {
  std::string name;         // the word after quintaval-inspect: "obj", "maya", "text", ...
  std::string description;  // one line for --help
  // Declares the command's arguments on `command` and returns what runs it once they are
  // parsed: it prints JSON to standard output, errors to standard error, and returns the
  // exit status.
  std::function<int()> (*define)(CLI::App& command);
};

std::vector<Command>& commands();

struct CommandRegistration {
  explicit CommandRegistration(Command command) { commands().push_back(std::move(command)); }
};

}  // namespace quintaval::inspect
