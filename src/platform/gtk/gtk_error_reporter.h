// Shows user-visible errors as GTK warning dialogs captioned "ERROR" with one OK button.
// Without a display it shows nothing (the message already went to standard error).
#pragma once

#include "core/error_report.h"

namespace quintaval {

class GtkErrorReporter : public ErrorReporter {
 public:
  // Blocking messages are modal and return when dismissed; non-blocking ones stay on
  // screen while the demo runs and close themselves when OK is pressed.
  void show(const std::string& message, bool blocking) override;
  // Runs GTK's events only while a non-blocking message is on screen, so the frame loop
  // pays nothing otherwise.
  void pump() override;

 private:
  static void onResponse(void* dialog, int response, void* self);
  int openMessages_ = 0;
};

}  // namespace quintaval
