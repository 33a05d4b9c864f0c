// The dialog keeps the original layout: every control sits at its position in dialog
// units, scaled by kPixelsPerUnit, in a fixed container. The banner is drawn with cairo.
#include "platform/setup_dialog_view.h"

#include <gtk/gtk.h>

#include "platform/gtk/banner.h"
#include "platform/gtk/gtk_session.h"

namespace quintaval {
namespace {

constexpr int kPixelsPerUnit = 2;
constexpr char kTitle[] = "Quintaval demosystem";

struct DialogWidgets {
  SetupDialogPresenter* presenter = nullptr;
  GtkWidget* window = nullptr;
  GtkWidget* resolutions = nullptr;
  GtkWidget* aspects = nullptr;
  GtkWidget* start = nullptr;
  GtkWidget* checks[4] = {};
  bool refreshing = false;  // set while the view itself changes the lists
  SetupDialogResult result = SetupDialogResult::kQuit;
};

GtkWidget* place(GtkWidget* fixed, GtkWidget* widget, int x, int y, int width, int height) {
  gtk_widget_set_size_request(widget, width * kPixelsPerUnit, height * kPixelsPerUnit);
  gtk_fixed_put(GTK_FIXED(fixed), widget, x * kPixelsPerUnit, y * kPixelsPerUnit);
  return widget;
}

void fillCombo(GtkWidget* combo, const std::vector<std::string>& items, int selection) {
  gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(combo));
  for (const std::string& item : items) gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), item.c_str());
  gtk_combo_box_set_active(GTK_COMBO_BOX(combo), selection);
}

void refresh(DialogWidgets& w) {
  const SetupDialogContent& content = w.presenter->content();
  w.refreshing = true;
  fillCombo(w.resolutions, content.resolutionItems, content.resolutionSelection);
  fillCombo(w.aspects, content.aspectItems, content.aspectSelection);
  w.refreshing = false;
  gtk_widget_set_sensitive(w.start, content.resolutionSelection >= 0);
}

void onListChanged(GtkComboBox*, gpointer data) {
  auto& w = *static_cast<DialogWidgets*>(data);
  if (w.refreshing) return;
  int resolution = gtk_combo_box_get_active(GTK_COMBO_BOX(w.resolutions));
  gchar* aspect = gtk_combo_box_text_get_active_text(GTK_COMBO_BOX_TEXT(w.aspects));
  w.presenter->selectionChanged(resolution, aspect ? aspect : "");
  g_free(aspect);
  refresh(w);
}

void onStart(GtkButton*, gpointer data) {
  auto& w = *static_cast<DialogWidgets*>(data);
  w.result = SetupDialogResult::kStart;
  gtk_main_quit();
}

void onQuit(GtkButton*, gpointer data) {
  static_cast<DialogWidgets*>(data)->result = SetupDialogResult::kQuit;
  gtk_main_quit();
}

// The dialog has no close box; a close request from the window manager is refused.
gboolean onDelete(GtkWidget*, GdkEvent*, gpointer) { return TRUE; }

gboolean drawBanner(GtkWidget* widget, cairo_t* cr, gpointer) {
  paintBanner(cr, gtk_widget_get_allocated_width(widget), gtk_widget_get_allocated_height(widget));
  return TRUE;
}

GtkWidget* leftLabel(const char* text) {
  GtkWidget* label = gtk_label_new(text);
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  return label;
}

GtkWidget* checkBox(GtkWidget* fixed, const char* text, bool active, int x, int y, int width, int height) {
  GtkWidget* box = gtk_check_button_new_with_label(text);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(box), active);
  return place(fixed, box, x, y, width, height);
}

}  // namespace

bool dialogsAvailable() { return ensureGtk(); }

SetupDialogResult runSetupDialogView(SetupDialogPresenter& presenter, SetupDialogChecks& checks) {
  if (!ensureGtk()) return SetupDialogResult::kUnavailable;

  DialogWidgets w;
  w.presenter = &presenter;
  w.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(w.window), kTitle);
  gtk_window_set_resizable(GTK_WINDOW(w.window), FALSE);
  gtk_window_set_deletable(GTK_WINDOW(w.window), FALSE);
  gtk_window_set_modal(GTK_WINDOW(w.window), TRUE);
  gtk_window_set_position(GTK_WINDOW(w.window), GTK_WIN_POS_CENTER);
  gtk_widget_set_size_request(w.window, 365 * kPixelsPerUnit, 247 * kPixelsPerUnit);
  g_signal_connect(w.window, "delete-event", G_CALLBACK(onDelete), nullptr);

  GtkWidget* fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(w.window), fixed);

  GtkWidget* banner = place(fixed, gtk_drawing_area_new(), 16, 7, 333, 123);
  g_signal_connect(banner, "draw", G_CALLBACK(drawBanner), nullptr);

  place(fixed, leftLabel("Resolution"), 18, 133, 191, 8);
  place(fixed, leftLabel("Aspect ratio"), 253, 133, 94, 8);
  w.resolutions = place(fixed, gtk_combo_box_text_new(), 17, 142, 192, 14);
  w.aspects = place(fixed, gtk_combo_box_text_new(), 251, 142, 97, 14);
  // The "Screen" label and list are part of the layout but never shown or filled.
  GtkWidget* screenLabel = place(fixed, leftLabel("Screen"), 18, 157, 191, 8);
  GtkWidget* screenList = place(fixed, gtk_combo_box_text_new(), 17, 166, 332, 14);
  gtk_widget_set_no_show_all(screenLabel, TRUE);
  gtk_widget_set_no_show_all(screenList, TRUE);

  w.checks[0] = checkBox(fixed, "Fullscreen", checks.fullscreen, 21, 187, 57, 10);
  w.checks[1] = checkBox(fixed, "Vertical sync", checks.vsync, 85, 187, 63, 10);
  w.checks[2] = checkBox(fixed, "Multisampling", checks.multisampling, 157, 187, 54, 10);
  w.checks[3] = checkBox(fixed, "Loop demo", checks.loopDemo, 254, 187, 54, 10);

  w.start = place(fixed, gtk_button_new_with_label("Start"), 19, 203, 192, 28);
  GtkWidget* quit = place(fixed, gtk_button_new_with_label("Quit"), 252, 203, 96, 28);
  gtk_widget_set_can_default(w.start, TRUE);
  gtk_window_set_default(GTK_WINDOW(w.window), w.start);
  g_signal_connect(w.start, "clicked", G_CALLBACK(onStart), &w);
  g_signal_connect(quit, "clicked", G_CALLBACK(onQuit), &w);

  refresh(w);
  g_signal_connect(w.resolutions, "changed", G_CALLBACK(onListChanged), &w);
  g_signal_connect(w.aspects, "changed", G_CALLBACK(onListChanged), &w);

  gtk_widget_show_all(w.window);
  // Enter presses "Start" when it has the focus or is the default.
  gtk_widget_grab_focus(w.start);
  gtk_main();

  auto active = [](GtkWidget* box) { return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(box)) == TRUE; };
  checks.fullscreen = active(w.checks[0]);
  checks.vsync = active(w.checks[1]);
  checks.multisampling = active(w.checks[2]);
  checks.loopDemo = active(w.checks[3]);
  gtk_widget_destroy(w.window);
  processGtkEvents();
  return w.result;
}

}  // namespace quintaval
