// Where a program keeps its settings and finds what was installed with it. Run from its build folder
// or from a portable copy, everything sits beside the program; installed (PREFIX/bin beside
// PREFIX/share/corvane, or a folder the user cannot write), the user's files go to the user's own
// folders of the freedesktop conventions.
#pragma once

#include <filesystem>

namespace corvane::formats {

struct UserFolders {
  std::filesystem::path config;  // $XDG_CONFIG_HOME, else $HOME/.config; empty when neither is known
  std::filesystem::path data;    // $XDG_DATA_HOME, else $HOME/.local/share; empty when neither is known
};

// From the environment's values (null when unset); a relative XDG value is ignored, as the conventions say.
UserFolders UserFoldersFrom(const char* xdgConfigHome, const char* xdgDataHome, const char* home);
// Windows keeps a user's settings in the roaming application data (%APPDATA%) and the user's data in the
// local one (%LOCALAPPDATA%, else the roaming one); a relative or empty value is ignored.
UserFolders UserFoldersFromAppData(const std::filesystem::path& appData, const std::filesystem::path& localAppData);
// The XDG folders on Unix, the application-data folders on Windows.
UserFolders UserFoldersOfEnvironment();

// PREFIX/share/corvane for a program at PREFIX/bin/NAME; empty when there is no such folder.
std::filesystem::path InstalledShareFolder(const std::filesystem::path& programPath);

// Whether a file can be made in the folder. Tried with a scratch file, since permission bits do not tell
// who may write on every system.
bool FolderAcceptsNewFiles(const std::filesystem::path& folder);

// Installed: in an installed tree, or in a folder this user cannot write.
bool RunsInstalled(const std::filesystem::path& programPath);

// The settings file named like portableFile: portableFile itself when it exists (a portable copy keeps its
// settings) or when the program does not run installed; otherwise that name in user.config/corvane/.
// Without a known configuration folder it stays portableFile.
std::filesystem::path ChooseSettingsFile(const std::filesystem::path& portableFile, bool installed,
                                         const UserFolders& user);

// The running program's file: the system's link to it where there is one, else argv0 made absolute.
std::filesystem::path RunningProgramPath(const char* argv0);

}  // namespace corvane::formats
