#include "core/command_line.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace quintaval {

std::optional<int> parseCommandLine(CLI::App& app, int argc, char** argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), stdout);
    return 0;
  } catch (const CLI::CallForVersion&) {
    std::printf("%s\n", app.version().c_str());
    return 0;
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
  return width >= 1 && height >= 1 && width <= 16384 && height <= 16384;
}

bool parseSeconds(const std::string& text, double& seconds) {
  const char* end = text.data() + text.size();
  auto [after, error] = std::from_chars(text.data(), end, seconds);
  return error == std::errc() && after == end && std::isfinite(seconds);
}

CLI::Validator onOffCheck() { return CLI::IsMember({"on", "off"}); }

bool onOff(const std::string& text) { return text == "on"; }

}  // namespace quintaval
