// On Linux a program's standard streams are the terminal's, or wherever they were sent.
#include "platform/console.h"

namespace quintaval {

void attachToStartingConsole() {}

}  // namespace quintaval
