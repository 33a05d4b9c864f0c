// Command lines that go wrong, on a tool shaped like quintaval-tracks: the one line on
// standard error names what was typed, in the order typed, and what was meant.
#include "core/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace quintaval {
namespace {

struct Outcome {
  std::optional<int> status;
  std::string errors;
};

Outcome parse(const std::string& line) {
  CLI::App app("A tool.", "tool");
  std::string sheet, outDir, base, window;
  std::vector<std::string> files;
  app.add_option("--window", window);
  CLI::App* compile = app.add_subcommand("compile", "Compile a sheet");
  compile->add_option("SHEET", sheet)->required();
  compile->add_option("OUTDIR", outDir)->required();
  compile->add_option("--base", base);
  app.add_subcommand("dump", "Print files")->add_option("FILE", files)->required();

  std::vector<std::string> words{"tool"};
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  ::testing::internal::CaptureStderr();
  Outcome outcome;
  outcome.status = parseCommandLine(app, static_cast<int>(argv.size()), argv.data());
  outcome.errors = ::testing::internal::GetCapturedStderr();
  return outcome;
}

TEST(CommandLine, LeftOverWordsAreNamedAsTypedWithWhatWasMeant) {
  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"complie a b", "unknown command 'complie'; the commands are compile and dump"},
      {"--windw 640x360", "unknown option '--windw'; did you mean '--window'?"},
      {"--windw=640x360", "unknown option '--windw'; did you mean '--window'?"},
      {"compile a b --bsae x", "unknown option '--bsae'; did you mean '--base'?"},
      {"compile a b --window 640x360", "unknown option '--window'"},
      {"--frobnicate", "unknown option '--frobnicate'"},
      {"compile a b c d", "unexpected arguments 'c d'"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = parse(c.line);
    EXPECT_EQ(outcome.status, 2) << c.line;
    EXPECT_EQ(outcome.errors, "tool: " + std::string(c.message) + "\n(tool --help shows the usage)\n") << c.line;
  }
  EXPECT_EQ(parse("compile a b --base x").status, std::nullopt);
}

}  // namespace
}  // namespace quintaval
