// The author log as the reporter of author mode: an error keeps the details a message box
// leaves out (the file and the decoder's reason after "Bass file loading failed!").
#include "author/author_log.h"

#include <gtest/gtest.h>

namespace quintaval {
namespace {

TEST(AuthorLog, ErrorsKeepTheirDetailsAndNotesAreNoErrors) {
  AuthorLog log;
  ErrorReporter* previous = setErrorReporter(&log);
  markMainThread();
  reportError("Bass file loading failed!", "Data/Sound/Musica.mp3: No such file or directory");
  log.addNote("reloaded track scene.num");
  setErrorReporter(previous);
  const std::vector<AuthorLogEntry> entries = log.entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].text, "Bass file loading failed! Data/Sound/Musica.mp3: No such file or directory");
  EXPECT_TRUE(entries[0].error);
  EXPECT_FALSE(entries[1].error);
}

}  // namespace
}  // namespace quintaval
