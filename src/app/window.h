// The program's one window and its OpenGL 3.3 core context, and the one place that speaks
// to GLFW: it opens the window, polls its events, answers whether the viewer asked to
// quit (Escape or the close box), shows each finished frame and lists the display's
// modes for the setup dialog. Author mode takes its keys and shows the cursor through it;
// the overlay's ImGui back end borrows its handle.
#pragma once

#include <functional>
#include <vector>

#include "app/display_modes.h"
#include "core/demo_settings.h"

struct GLFWwindow;

namespace quintaval {

class Window {
 public:
  Window() = default;
  // Closes the window if it is still open.
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Opens the window with the choices of the settings and makes its context current. A
  // hidden window (offline capture) is never mapped on the screen. Shows a message and
  // returns false on failure.
  bool open(const DemoSettings& settings, int width, int height, bool visible = true);
  // Closes the window and ends GLFW; its GL objects go with it.
  void close();

  // Handles what happened since the last call; call once a frame.
  void pollEvents();
  // Whether the viewer pressed Escape (since the last poll, held or not) or closed the
  // window. The loading picture and the main loop end on the same test.
  bool quitRequested() const;
  // Shows the frame drawn into the back buffer.
  void present();

  // Author mode: every key pressed (and repeated, with `repeat` set) is handed to
  // `listener` as GLFW's key code and modifier bits, before polling returns.
  void onKey(std::function<void(int key, int mods, bool repeat)> listener);
  void showCursor();
  // Author mode: whether the close box was clicked since the last call. The request is
  // taken, so the window stays open unless the caller closes it.
  bool takeCloseRequest();
  // Author mode: " *" after the title while edits are unsaved.
  void markUnsaved(bool unsaved);
  GLFWwindow* handle() const { return window_; }

 private:
  static void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);

  GLFWwindow* window_ = nullptr;
  std::function<void(int, int, bool)> keyListener_;
  bool markedUnsaved_ = false;
};

// Loads the GL entry points for the current context. Shows a message and returns false on
// failure.
bool loadGlEntryPoints();

// The modes of the primary monitor as the display reports them, and the desktop size.
// Empty when GLFW cannot initialise or finds no primary monitor.
std::vector<DisplayMode> queryDisplayModes(Resolution& desktop);

}  // namespace quintaval
