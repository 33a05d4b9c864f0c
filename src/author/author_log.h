// The author's log: what author mode reports instead of showing message boxes. Every
// message of the program (a shader that does not compile, a damaged model, a reload
// that worked) becomes an entry; the overlay shows the last ones, errors in red. Any
// thread may add; the main thread reads a copy. Standard error still gets every error
// line from the reporter itself.
#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "core/error_report.h"

namespace quintaval {

struct AuthorLogEntry {
  double seconds = 0.0;  // seconds since the log was made
  std::string text;
  bool error = false;
};

class AuthorLog : public ErrorReporter {
 public:
  static constexpr std::size_t kKeptEntries = 200;

  AuthorLog();

  // Messages reported through reportError() arrive here as errors, with their details,
  // never blocking.
  void show(const std::string& message, bool blocking) override;
  bool showsDetails() const override { return true; }

  // An entry that is not an error (a reload that worked, a transport command); it is
  // also printed on standard output, for an author watching the terminal.
  void addNote(const std::string& text);
  // The newest entries last; at most kKeptEntries.
  std::vector<AuthorLogEntry> entries() const;

 private:
  void add(const std::string& text, bool error);

  const double startSeconds_;
  mutable std::mutex mutex_;
  std::deque<AuthorLogEntry> entries_;
};

}  // namespace quintaval
