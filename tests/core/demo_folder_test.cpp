// Which folder a program enters: --data first, then ./Data, then the sample demo installed
// beside the program (share/quintaval/demo for <prefix>/bin/), found wherever the install
// was moved to.
#include "core/demo_folder.h"

#include <gtest/gtest.h>

#include "platform/files/own_location.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

TEST(DemoFolder, DataOptionThenWorkingDirectoryThenTheInstalledDemo) {
  testing::TempDir dir;
  dir.write("with/Data/Text/Text.txt", "");
  dir.write("without/notes.txt", "");
  dir.write("moved/usr/share/quintaval/demo/Data/Text/Text.txt", "");
  const std::string program = (dir.path() / "moved/usr/bin/quintaval").string();
  const std::string installed = (dir.path() / "moved/usr/share/quintaval/demo").string();
  const struct {
    const char* workingDirectory;
    const char* dataOption;
    std::string executable;
    std::string entered;
  } cases[] = {
      {"with", "/srv/demo", program, "/srv/demo"},
      {"with", "", program, ""},
      {"without", "", program, installed},
      {"without", "", (dir.path() / "elsewhere/bin/quintaval").string(), ""},  // nothing installed there
      {"without", "", "", ""},                                                // own path unknown
  };
  for (const auto& c : cases) {
    testing::ScopedWorkingDirectory inside(dir.path() / c.workingDirectory);
    EXPECT_EQ(findDemoFolder(c.dataOption, c.executable), c.entered) << c.workingDirectory << " " << c.executable;
  }
  EXPECT_NE(runningExecutable().find("core_demo_folder_test"), std::string::npos);
}

}  // namespace
}  // namespace quintaval
