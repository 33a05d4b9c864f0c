#include "platform/gtk/gtk_session.h"

#include <gtk/gtk.h>

namespace quintaval {

bool ensureGtk() {
  static const bool available = [] {
    gtk_disable_setlocale();
    return gtk_init_check(nullptr, nullptr) == TRUE;
  }();
  return available;
}

void processGtkEvents() {
  if (!ensureGtk()) return;
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

}  // namespace quintaval
