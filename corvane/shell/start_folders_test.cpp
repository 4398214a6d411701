// Where a window program takes its settings and data from: portable beside the program, installed in
// the user's folders and on the installed demo data.
#include "start_folders.h"

#include <gtest/gtest.h>

#include "test_form.h"

namespace corvane::shell {
namespace {

using testing::TemporaryFolder;
using testing::WriteText;

TEST(StartFolders, CommandLineThenPortableThenInstalledPlaces) {
  TemporaryFolder root;
  const std::filesystem::path prefix = root / "usr";
  const std::filesystem::path program = prefix / "bin" / "corvane";
  const std::filesystem::path demo = prefix / "share" / "corvane" / "demo";
  std::filesystem::create_directories(demo);
  std::filesystem::create_directories(program.parent_path());
  const std::filesystem::path home = root / "home";
  const std::filesystem::path dataHere = root / "data";
  std::filesystem::create_directories(home);
  std::filesystem::create_directories(dataHere);
  WriteText(dataHere / "navapt.dat", "");
  const formats::UserFolders user{home / ".config", home / ".local/share"};
  const std::string userIni = (home / ".config/corvane/corvane.INI").string();
  const std::string demoStatus = "Demo data of " + demo.string() + " (--data DIR opens your own)";

  struct Case {
    const char* what;
    WindowCommandLine line;
    bool installed;
    std::filesystem::path working;
    std::string settings;
    std::string data;
    std::string status;
  };
  WindowCommandLine options;
  options.dataFolder = "/d";
  options.settingsPath = "/s.INI";
  const Case cases[] = {
      {"build or portable copy", {}, false, home, program.string() + ".INI", "", ""},
      {"installed, started at home", {}, true, home, userIni, demo.string(), demoStatus},
      {"installed, started in a data folder", {}, true, dataHere, userIni, "", ""},
      {"options win", options, true, home, "/s.INI", "/d", ""},
  };
  for (const Case& c : cases) {
    const StartFolders folders = ChooseStartFolders(c.line, program, c.installed, user, c.working);
    EXPECT_EQ(folders.settingsFile, std::filesystem::path(c.settings)) << c.what;
    EXPECT_EQ(folders.dataFolder, std::filesystem::path(c.data)) << c.what;
    EXPECT_EQ(folders.status, c.status) << c.what;
  }

  // A settings file next to the installed program still wins.
  WriteText(program.string() + ".INI", "[Form]\r\n");
  EXPECT_EQ(ChooseStartFolders({}, program, true, user, home).settingsFile, program.string() + ".INI");
}

}  // namespace
}  // namespace corvane::shell
