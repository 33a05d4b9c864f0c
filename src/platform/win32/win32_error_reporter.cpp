// The Windows message boxes, and makeMessageBoxReporter() for main().
#include "platform/win32/win32_error_reporter.h"

#include <windows.h>

#include <thread>
#include <utility>

#include "platform/message_boxes.h"
#include "platform/win32/wide_text.h"

namespace quintaval {
namespace {

// Kept above the demo's window, as the GTK message is.
constexpr UINT kStyle = MB_ICONWARNING | MB_OK | MB_TOPMOST;

}  // namespace

void Win32ErrorReporter::show(const std::string& message, bool blocking) {
  std::wstring text = widen(message);
  if (blocking) {
    // Without an owner, MB_TASKMODAL disables the calling thread's windows until OK.
    MessageBoxW(nullptr, text.c_str(), L"ERROR", kStyle | MB_TASKMODAL);
    return;
  }
  std::thread([text = std::move(text)] { MessageBoxW(nullptr, text.c_str(), L"ERROR", kStyle); }).detach();
}

std::unique_ptr<ErrorReporter> makeMessageBoxReporter() { return std::make_unique<Win32ErrorReporter>(); }

}  // namespace quintaval
