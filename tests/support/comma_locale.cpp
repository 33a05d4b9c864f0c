#include "support/comma_locale.h"

#include <clocale>
#include <cstdlib>

namespace quintaval::testing {
namespace {

struct CommaDecimal : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

}  // namespace

ScopedCommaLocale::ScopedCommaLocale()
    : previousCpp_(std::locale::global(std::locale(std::locale::classic(), new CommaDecimal))),
      previousC_(std::setlocale(LC_ALL, nullptr)) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + (scratch_.path() / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) == 0) {
      setenv("LOCPATH", scratch_.path().c_str(), 1);
      std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
  }
  cLocaleHasComma_ = *std::localeconv()->decimal_point == ',';
}

void ScopedCommaLocale::restore() {
  if (restored_) return;
  restored_ = true;
  std::setlocale(LC_ALL, previousC_.c_str());
  unsetenv("LOCPATH");
  std::locale::global(previousCpp_);
}

}  // namespace quintaval::testing
