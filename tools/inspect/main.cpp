// quintaval-inspect KIND FILE...: reads data files with the program's own readers and
// prints what the program will make of them, as JSON. Every FILE of every kind must be a
// regular file that can be read ("PATH: cannot read: REASON" otherwise, and no JSON).
//
// Exit status: 0 done, 1 a file could not be read, 2 bad usage.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "command.h"
#include "core/command_line.h"
#include "textio/text_file.h"

namespace quintaval::inspect {

std::vector<Command>& commands() {
  static std::vector<Command> all;
  return all;
}

}  // namespace quintaval::inspect

int main(int argc, char** argv) {
  using namespace quintaval;
  CLI::App app("Shows, as JSON, what the program makes of data files.", "quintaval-inspect");
  app.set_version_flag("--version", "quintaval-inspect " QV_VERSION);
  app.footer("Exit status: 0 done, 1 a file could not be read (or a text script lacks its\n"
             "\"//Quintaval\" header, or music does not decode), 2 bad command line.");
  auto all = inspect::commands();
  std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  std::vector<std::pair<CLI::App*, std::function<int()>>> runs;
  std::string kinds;
  for (const inspect::Command& command : all) {
    CLI::App* kind = app.add_subcommand(command.name, command.description);
    runs.emplace_back(kind, command.define(*kind));
    kinds += (kinds.empty() ? "" : ", ") + command.name;
  }
  if (std::optional<int> status = parseCommandLine(app, argc, argv)) return *status;
  for (const auto& [kind, run] : runs) {
    if (!*kind) continue;
    bool readable = true;
    for (const std::string& file : kind->get_option("FILE")->results()) {
      const std::string reason = whyNotReadable(file);
      if (reason.empty()) continue;
      std::fprintf(stderr, "%s: cannot read: %s\n", file.c_str(), reason.c_str());
      readable = false;
    }
    return readable ? run() : 1;
  }
  return commandLineError(app, "a kind is needed: " + kinds);
}
