// The program's lines on standard output and error (author mode's notes, the messages'
// copies) reach the terminal the program was started from. On Linux they always do; a
// Windows program built for the desktop starts without a console and attaches to the one
// of the command prompt that started it, if any.
#pragma once

namespace quintaval {

// Call first thing in main(). Does nothing where there is nothing to attach to, or where
// standard output already goes somewhere (a file, a pipe).
void attachToStartingConsole();

}  // namespace quintaval
