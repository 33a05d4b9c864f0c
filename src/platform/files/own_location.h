// The running program's own location, its arguments, and entering a folder: where a
// program's paths meet the operating system's. Paths are UTF-8 on every system; on Windows they are
// converted to and from the UTF-16 of the wide functions, so that any folder name works.
// One source file per operating system behind it, chosen by the build.
#pragma once

#include <string>
#include <vector>

namespace quintaval {

// The program's arguments as main() received them, in UTF-8: on Windows read again from
// the wide command line, since main()'s are in the ANSI code page.
std::vector<std::string> programArguments(int argc, char** argv);

// programArguments() as main()'s argv for the option parsers: the strings and the
// pointers to them, kept together.
class Utf8Arguments {
 public:
  Utf8Arguments(int argc, char** argv) : strings_(programArguments(argc, argv)) {
    for (std::string& argument : strings_) pointers_.push_back(argument.data());
  }
  char** argv() { return pointers_.data(); }

 private:
  std::vector<std::string> strings_;
  std::vector<char*> pointers_;
};

// The running program's own path, empty when unknown.
std::string runningExecutable();

// Makes `utf8Path` the working directory. False when it cannot.
bool enterFolder(const std::string& utf8Path);

}  // namespace quintaval
