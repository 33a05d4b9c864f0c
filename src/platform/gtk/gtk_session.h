// GTK start-up shared by the warning dialogs and the setup dialog view.
#pragma once

namespace quintaval {

// Initialises GTK once, on the calling (main) thread, and tells whether a display could
// be opened. GTK is kept from switching the process to the user's locale: the data
// readers parse numbers with a decimal point whatever the desktop language.
bool ensureGtk();

// Lets GTK process what is pending (closing dialogs, drawing non-blocking messages).
void processGtkEvents();

}  // namespace quintaval
