#include "formats/program_folders.h"

#include <gtest/gtest.h>

#include <fstream>

#include "testing/scratch_folder.h"

namespace corvane::formats {
namespace {

TEST(UserFolders, XdgValuesWhenAbsoluteElseUnderHome) {
#ifdef _WIN32
  GTEST_SKIP() << "the XDG folders and their POSIX paths belong to Unix desktops";
#endif
  struct Case {
    const char* xdgConfig;
    const char* xdgData;
    const char* home;
    const char* config;
    const char* data;
  };
  const Case cases[] = {
      {"/xdg/config", "/xdg/data", "/home/pilot", "/xdg/config", "/xdg/data"},
      {nullptr, nullptr, "/home/pilot", "/home/pilot/.config", "/home/pilot/.local/share"},
      {"", "", "/home/pilot", "/home/pilot/.config", "/home/pilot/.local/share"},
      {"relative/config", "relative/data", "/home/pilot", "/home/pilot/.config", "/home/pilot/.local/share"},
      {"/xdg/config", nullptr, nullptr, "/xdg/config", ""},
      {nullptr, nullptr, nullptr, "", ""},
      {nullptr, nullptr, "not/absolute", "", ""},
  };
  for (const Case& c : cases) {
    const UserFolders folders = UserFoldersFrom(c.xdgConfig, c.xdgData, c.home);
    EXPECT_EQ(folders.config, std::filesystem::path(c.config)) << (c.xdgConfig ? c.xdgConfig : "(unset)");
    EXPECT_EQ(folders.data, std::filesystem::path(c.data)) << (c.xdgData ? c.xdgData : "(unset)");
  }
}

TEST(UserFolders, WindowsApplicationDataWhenAbsolute) {
#ifndef _WIN32
  GTEST_SKIP() << "drive letters make a path absolute on Windows only";
#else
  struct Case {
    const wchar_t* appData;
    const wchar_t* localAppData;
    const wchar_t* config;
    const wchar_t* data;
  };
  const Case cases[] = {
      {L"C:\\Users\\pilot\\AppData\\Roaming", L"C:\\Users\\pilot\\AppData\\Local",
       L"C:\\Users\\pilot\\AppData\\Roaming", L"C:\\Users\\pilot\\AppData\\Local"},
      {L"C:\\Roaming", L"", L"C:\\Roaming", L"C:\\Roaming"},
      {L"Roaming", L"Local", L"", L""},
      {L"", L"", L"", L""},
  };
  for (const Case& c : cases) {
    const UserFolders folders = UserFoldersFromAppData(c.appData, c.localAppData);
    EXPECT_EQ(folders.config, std::filesystem::path(c.config));
    EXPECT_EQ(folders.data, std::filesystem::path(c.data));
  }
  // An installed corvane.exe keeps corvane.INI in %APPDATA%\corvane.
  EXPECT_EQ(
      ChooseSettingsFile("C:\\Program Files\\corvane\\corvane.INI", true, UserFoldersFromAppData(L"C:\\Roaming", L"")),
      std::filesystem::path(L"C:\\Roaming\\corvane\\corvane.INI"));
#endif
}

TEST(ChooseSettingsFile, PortableFileWinsThenTheUsersFolderWhenInstalled) {
  test_support::ScratchFolder scratch;
  const std::filesystem::path existing = scratch / "portable.INI";
  std::ofstream(existing) << "[Form]\r\n";
  const std::filesystem::path missing = scratch / "corvane.INI";
  const UserFolders user{"/home/pilot/.config", "/home/pilot/.local/share"};
  struct Case {
    std::filesystem::path portable;
    bool installed;
    UserFolders user;
    std::filesystem::path expected;
  };
  const Case cases[] = {
      {existing, true, user, existing},        {existing, false, user, existing},
      {missing, false, user, missing},         {missing, true, user, "/home/pilot/.config/corvane/corvane.INI"},
      {missing, true, UserFolders{}, missing},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseSettingsFile(c.portable, c.installed, c.user), c.expected)
        << c.portable << " installed " << c.installed;
  }
}

TEST(InstalledShareFolder, OnlyForBinBesideShareCorvane) {
  test_support::ScratchFolder scratch;
  std::filesystem::create_directories(scratch / "usr/share/corvane/demo");
  std::filesystem::create_directories(scratch / "usr/bin");
  std::filesystem::create_directories(scratch / "opt/bin");
  EXPECT_EQ(InstalledShareFolder(scratch / "usr/bin/corvane"), scratch / "usr/share/corvane");
  EXPECT_EQ(InstalledShareFolder(scratch / "opt/bin/corvane"), std::filesystem::path{});
  EXPECT_EQ(InstalledShareFolder(scratch / "usr/share/corvane"), std::filesystem::path{});
  EXPECT_FALSE(RunsInstalled(scratch / "opt/bin/corvane"));
  EXPECT_TRUE(RunsInstalled(scratch / "usr/bin/corvane"));
}

TEST(FolderAcceptsNewFiles, TriesAndLeavesNothingBehind) {
  test_support::ScratchFolder scratch;
  EXPECT_TRUE(FolderAcceptsNewFiles(scratch.path()));
  EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));
  EXPECT_FALSE(FolderAcceptsNewFiles(scratch / "missing"));
  EXPECT_TRUE(RunsInstalled(scratch / "missing/corvane"));
}

}  // namespace
}  // namespace corvane::formats
