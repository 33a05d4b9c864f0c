// Switches the process to a locale whose decimal separator is a comma, for tests that
// check number parsing does not depend on it: the C locale (strtod, printf) becomes
// de_DE.UTF-8 — made with localedef in a scratch directory when the system has none; on
// Windows de-DE —
// and the global C++ locale (streams) gets a comma numpunct. Both come back at destruction.
#pragma once

#include <clocale>
#include <cstdlib>
#include <locale>
#include <string>

#include "support/temp_dir.h"

namespace quintaval::testing {

class ScopedCommaLocale {
 public:
  ScopedCommaLocale() {
#ifdef _WIN32
    std::setlocale(LC_ALL, "de-DE");
#else
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
      const std::string command =
          "localedef -i de_DE -f UTF-8 '" + (scratch_.path() / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
      if (std::system(command.c_str()) == 0) {
        setenv("LOCPATH", scratch_.path().c_str(), 1);
        std::setlocale(LC_ALL, "de_DE.UTF-8");
      }
    }
#endif
    cLocaleHasComma_ = *std::localeconv()->decimal_point == ',';
  }
  ~ScopedCommaLocale() {
    std::setlocale(LC_ALL, previousC_.c_str());
#ifndef _WIN32
    unsetenv("LOCPATH");
#endif
    std::locale::global(previousCpp_);
  }
  ScopedCommaLocale(const ScopedCommaLocale&) = delete;
  ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;

  // False when no C locale with a decimal comma could be had (the Debian package
  // "locales" is missing); the C++ locale is switched all the same.
  bool cLocaleHasComma() const { return cLocaleHasComma_; }

 private:
  struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
  };

  TempDir scratch_;
  std::locale previousCpp_ = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  std::string previousC_ = std::setlocale(LC_ALL, nullptr);
  bool cLocaleHasComma_ = false;
};

}  // namespace quintaval::testing
