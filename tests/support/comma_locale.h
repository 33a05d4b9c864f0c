// Switches the process to a locale whose decimal separator is a comma, for tests that
// check number parsing does not depend on it: the C locale (strtod, printf) becomes
// de_DE.UTF-8 — made with localedef in a scratch directory when the system has none —
// and the global C++ locale (streams) gets a comma numpunct. Both come back at restore()
// or destruction.
#pragma once

#include <locale>
#include <string>

#include "support/temp_dir.h"

namespace quintaval::testing {

class ScopedCommaLocale {
 public:
  ScopedCommaLocale();
  ~ScopedCommaLocale() { restore(); }
  ScopedCommaLocale(const ScopedCommaLocale&) = delete;
  ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;

  // False when no C locale with a decimal comma could be had (the Debian package
  // "locales" is missing); the C++ locale is switched all the same.
  bool cLocaleHasComma() const { return cLocaleHasComma_; }
  void restore();

 private:
  TempDir scratch_;
  std::locale previousCpp_;
  std::string previousC_;
  bool cLocaleHasComma_ = false;
  bool restored_ = false;
};

}  // namespace quintaval::testing
