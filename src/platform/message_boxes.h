// The desktop's message boxes for user-visible errors (see core/error_report.h): a warning
// captioned "ERROR" with one OK button. platform/gtk/ provides them on Linux,
// platform/win32/ on Windows, so that main() names no toolkit.
#pragma once

#include <memory>

#include "core/error_report.h"

namespace quintaval {

std::unique_ptr<ErrorReporter> makeMessageBoxReporter();

}  // namespace quintaval
