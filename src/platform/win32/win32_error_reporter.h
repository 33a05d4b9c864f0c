// Shows user-visible errors as Windows message boxes captioned "ERROR", with the warning
// icon and one OK button. reportError() has already written the line on standard error.
#pragma once

#include "core/error_report.h"

namespace quintaval {

class Win32ErrorReporter : public ErrorReporter {
 public:
  // Blocking messages are modal to the program's windows and return when dismissed.
  // A non-blocking one is shown by a short-lived thread of its own: MessageBoxW runs its
  // own message loop there, so the frame loop never waits for it and has nothing to pump;
  // the thread ends when OK is pressed.
  void show(const std::string& message, bool blocking) override;
};

}  // namespace quintaval
