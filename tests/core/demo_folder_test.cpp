// Which folder a program enters: --data first, then ./Data, then the sample demo installed
// beside the program (share/quintaval/demo for <prefix>/bin/), found wherever the install
// was moved to.
#include "core/demo_folder.h"

#include <gtest/gtest.h>

#include "platform/files/own_location.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

// Where there is no Data/, the one line names every folder looked in.
TEST(DemoFolder, DataOptionThenWorkingDirectoryThenTheInstalledDemo) {
  testing::TempDir dir;
  dir.write("with/Data/Text/Text.txt", "");
  dir.write("without/notes.txt", "");
  dir.write("moved/usr/share/quintaval/demo/Data/Text/Text.txt", "");
  const std::string program = (dir.path() / "moved/usr/bin/quintaval").string();
  const std::string installed = (dir.path() / "moved/usr/share/quintaval/demo").string();
  const std::string elsewhere = (dir.path() / "elsewhere/bin/quintaval").string();
  const std::string without = (dir.path() / "without").string();
  const std::string hint = "; --data DIR names the folder that holds a demo's Data/";
  const struct {
    const char* workingDirectory;
    std::string dataOption;
    std::string executable;
    std::string entered;
    std::string missing;
  } cases[] = {
      {"with", "/srv/demo", program, "/srv/demo", "no Data/ folder in /srv/demo" + hint},
      {"without", "../with/", program, "../with/", ""},
      {"with", "", program, "", ""},
      {"without", "", program, installed, ""},
      {"without", "", elsewhere, "",  // nothing installed there
       "no Data/ folder in " + without + " or " + (dir.path() / "elsewhere/share/quintaval/demo").string() + hint},
      {"without", "", "", "", "no Data/ folder in " + without + hint},  // own path unknown
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.workingDirectory) + " " + c.dataOption + " " + c.executable);
    testing::ScopedWorkingDirectory inside(dir.path() / c.workingDirectory);
    const std::string folder = findDemoFolder(c.dataOption, c.executable);
    EXPECT_EQ(folder, c.entered);
    EXPECT_EQ(missingDataMessage(folder, c.dataOption, c.executable), c.missing);
  }
  EXPECT_NE(runningExecutable().find("core_demo_folder_test"), std::string::npos);
}

}  // namespace
}  // namespace quintaval
