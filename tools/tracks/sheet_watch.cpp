// The file watcher queues changed paths on a thread of its own; this loop takes them
// every few milliseconds, which also lets it notice a stop request between takes.
#include "sheet_watch.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/files/file_watcher.h"
#include "sheet_compiler.h"

namespace quintaval {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kQuietBeforeCompile = std::chrono::milliseconds(50);
constexpr auto kTakeInterval = std::chrono::milliseconds(10);

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

void compileAndTell(const std::string& sheetPath, const fs::path& outDir, const std::string& base) {
  std::size_t count = 0;
  switch (compileSheet(sheetPath, outDir, base, count)) {
    case SheetCompile::kWritten:
      std::fprintf(stderr, "%s: compiled %zu track%s into %s\n", sheetPath.c_str(), count,
                   count == 1 ? "" : "s", outDir.string().c_str());
      break;
    case SheetCompile::kUnreadable:
      // A save under the sheet's name is awaited as for any other change.
      std::fprintf(stderr, "%s: waiting for a readable sheet\n", sheetPath.c_str());
      break;
    case SheetCompile::kFailed:
      break;
  }
}

}  // namespace

int watchSheet(const std::string& sheetPath, const fs::path& outDir, const std::string& base) {
  std::signal(SIGINT, requestStop);
  std::signal(SIGTERM, requestStop);
  const fs::path sheet(sheetPath);
  const std::string folder = sheet.has_parent_path() ? sheet.parent_path().string() : ".";
  const std::string name = sheet.filename().string();

  // Watching starts before the first compile, so that a save during it is not missed.
  FileWatcher watcher;
  if (!watcher.start(folder)) {
    std::fprintf(stderr, "%s: cannot watch: %s\n", folder.c_str(), std::strerror(errno));
    return 1;
  }
  compileAndTell(sheetPath, outDir, base);

  bool saved = false;
  Clock::time_point lastEvent;
  while (stopRequested == 0) {
    std::this_thread::sleep_for(kTakeInterval);
    for (const std::string& path : watcher.takeChanges()) {
      if (path != name) continue;
      saved = true;
      lastEvent = Clock::now();
    }
    if (saved && Clock::now() - lastEvent >= kQuietBeforeCompile) {
      saved = false;
      compileAndTell(sheetPath, outDir, base);
    }
  }
  return 0;
}

}  // namespace quintaval
