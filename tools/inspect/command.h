// Sub-commands of quintaval-inspect. Each inspect_<kind>.cpp defines one command and
// registers it with a file-scope CommandRegistration; main() dispatches on argv[1].
#pragma once

#include <string>
#include <vector>

namespace quintaval::inspect {

struct Command {
  std::string name;   // the word after quintaval-inspect: "obj", "maya", "text", ...
  std::string usage;  // one line: arguments after the name
  // args are the words after the name. Prints JSON to standard output, errors to
  // standard error; returns the exit status.
  int (*run)(const std::vector<std::string>& args);
};

std::vector<Command>& commands();

struct CommandRegistration {
  explicit CommandRegistration(Command command) { commands().push_back(std::move(command)); }
};

}  // namespace quintaval::inspect
