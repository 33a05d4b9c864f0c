// quintaval: the demo player. Start-up runs the steps below in order; any failure ends
// the program with -1 after its message was shown. With --author the same demo runs in
// author mode (see author/author_session.h); viewer mode never constructs any of it.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/demo.h"
#include "app/main_loop.h"
#include "app/startup.h"
#include "author/author_session.h"
#include "core/demo_folder.h"
#include "core/error_report.h"
#include "platform/console.h"
#include "platform/files/own_location.h"
#include "platform/message_boxes.h"
#include "player/player_options.h"
#include "player/setup_dialog.h"

namespace {

quintaval::AuthorOptions authorOptions(const quintaval::PlayerOptions& options) {
  quintaval::AuthorOptions author{options.sheetPath, std::nullopt};
  if (options.bpm) author.tempo = quintaval::GivenTempo{*options.bpm, options.beatOffset};
  return author;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quintaval;
  attachToStartingConsole();
  Utf8Arguments arguments(argc, argv);
  PlayerOptions options;
  if (std::optional<int> status = parsePlayerOptions(argc, arguments.argv(), options)) return *status;
  // Data/ is read relative to the demo's folder (--data checked that a given one exists).
  // Without Data/ the demo cannot start: the line says where the program looked before
  // the message box says what failed.
  const std::string executable = runningExecutable();
  const std::string folder = findDemoFolder(options.dataDir, executable);
  const std::string missing = missingDataMessage(folder, options.dataDir, executable);
  if (!missing.empty()) std::fprintf(stderr, "quintaval: %s\n", missing.c_str());
  if (!folder.empty() && !enterFolder(folder)) return -1;

  std::unique_ptr<ErrorReporter> messageBoxes = makeMessageBoxReporter();
  setErrorReporter(messageBoxes.get());

  auto demo = std::make_unique<Demo>();
  applyPlayerOptions(options, demo->settings);
  if (options.showsSetupDialog() && !runSetupDialog(demo->settings)) return -1;
  demo->frameStats.markStart();
  switch (startDemo(*demo, WindowVisibility::kShown)) {
    case StartResult::kStarted:
      break;
    case StartResult::kFailed:
      return -1;
    case StartResult::kQuit:  // Escape or the close box during loading
      shutdown(*demo);
      return 0;
  }
  startMusic(*demo);
  if (options.startSeconds > 0.0) demo->music.seek(options.startSeconds);
  startFileWatcher(*demo);
  if (options.author) {
    AuthorSession session(*demo, authorOptions(options));
    runMainLoop(*demo, &session);
  } else {
    runMainLoop(*demo);
  }
  shutdown(*demo);
  return 0;
}
