#include "platform/gtk/gtk_error_reporter.h"

#include <gtk/gtk.h>

#include "platform/gtk/gtk_session.h"
#include "platform/message_boxes.h"

namespace quintaval {

void GtkErrorReporter::show(const std::string& message, bool blocking) {
  if (!ensureGtk()) return;
  GtkWidget* dialog = gtk_message_dialog_new(nullptr, blocking ? GTK_DIALOG_MODAL : GtkDialogFlags(0),
                                             GTK_MESSAGE_WARNING, GTK_BUTTONS_OK, "%s", message.c_str());
  gtk_window_set_title(GTK_WINDOW(dialog), "ERROR");
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  if (blocking) {
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    processGtkEvents();
    return;
  }
  g_signal_connect(dialog, "response", G_CALLBACK(onResponse), this);
  ++openMessages_;
  gtk_widget_show_all(dialog);
  processGtkEvents();
}

void GtkErrorReporter::onResponse(void* dialog, int, void* self) {
  gtk_widget_destroy(GTK_WIDGET(dialog));
  --static_cast<GtkErrorReporter*>(self)->openMessages_;
}

void GtkErrorReporter::pump() {
  if (openMessages_ > 0) processGtkEvents();
}

std::unique_ptr<ErrorReporter> makeMessageBoxReporter() { return std::make_unique<GtkErrorReporter>(); }

}  // namespace quintaval
