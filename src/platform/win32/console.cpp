// A desktop program (linked -mwindows) has no console of its own; when a command prompt
// started it, its streams are reopened on that prompt's console, so author mode's notes
// and the messages' lines show there as they do in a Linux terminal.
#include "platform/console.h"

#include <windows.h>

#include <cstdio>

namespace quintaval {

void attachToStartingConsole() {
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output != nullptr && output != INVALID_HANDLE_VALUE) return;  // already sent somewhere
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::freopen("CONOUT$", "w", stdout);
  std::freopen("CONOUT$", "w", stderr);
}

}  // namespace quintaval
