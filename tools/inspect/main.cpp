// quintaval-inspect KIND FILE...: reads data files with the program's own readers and
// prints what the program will make of them, as JSON.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "command.h"

namespace quintaval::inspect {

std::vector<Command>& commands() {
  static std::vector<Command> all;
  return all;
}

}  // namespace quintaval::inspect

namespace {

void printUsage(FILE* out) {
  auto all = quintaval::inspect::commands();
  std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  std::fprintf(out, "usage: quintaval-inspect KIND ARGS...\n\nKinds:\n");
  for (const auto& command : all) {
    std::fprintf(out, "  quintaval-inspect %s %s\n", command.name.c_str(), command.usage.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    printUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  for (const auto& command : quintaval::inspect::commands()) {
    if (command.name == argv[1]) {
      return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
  }
  std::fprintf(stderr, "quintaval-inspect: unknown kind \"%s\"\n\n", argv[1]);
  printUsage(stderr);
  return 2;
}
