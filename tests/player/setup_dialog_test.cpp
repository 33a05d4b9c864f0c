// The setup dialog on a real display (1920x1080 in 24 colour bits): the viewer's button
// decides whether the demo starts, and Start writes the size and switches shown.
#include "player/setup_dialog.h"

#include <gtk/gtk.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quintaval {
namespace {

using Labels = std::vector<std::string>;

// Clicks the button or check box labelled `label` in whatever window is open.
void click(const std::string& label) {
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w != nullptr; w = w->next) {
    GList* stack = g_list_prepend(nullptr, w->data);
    while (stack != nullptr) {
      GtkWidget* widget = GTK_WIDGET(stack->data);
      stack = g_list_delete_link(stack, stack);
      if (GTK_IS_BUTTON(widget) && label == (gtk_button_get_label(GTK_BUTTON(widget)) ?: "")) {
        gtk_button_clicked(GTK_BUTTON(widget));
      } else if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        stack = g_list_concat(children, stack);
      }
    }
  }
  g_list_free(windows);
}

// Runs from the dialog's own loop: clicks the labels in order.
gboolean clickAll(gpointer labels) {
  for (const std::string& label : *static_cast<const Labels*>(labels)) click(label);
  return G_SOURCE_REMOVE;
}

TEST(SetupDialog, QuitEndsTheProgramAndStartWritesTheChoices) {
  const struct { Labels clicks; bool goesOn; bool loop; } cases[] = {
      {{"Loop demo", "Quit"}, false, false}, {{"Loop demo", "Start"}, true, true}};
  for (const auto& c : cases) {
    DemoSettings settings;
    g_timeout_add(200, clickAll, const_cast<Labels*>(&c.clicks));
    EXPECT_EQ(runSetupDialog(settings), c.goesOn) << c.clicks.back();
    EXPECT_EQ(settings.loopDemo, c.loop) << c.clicks.back();
    EXPECT_EQ(std::make_pair(settings.width, settings.height), std::make_pair(1920, 1080)) << c.clicks.back();
  }
}

}  // namespace
}  // namespace quintaval
