// The settings file and data folder a window program starts with, from its command line and from where
// it runs: beside the program for a build or portable copy, the user's folders and the installed demo
// data for an installed one.
#pragma once

#include <filesystem>
#include <string>

#include "corvane/shell/window_command_line.h"
#include "formats/program_folders.h"

namespace corvane::shell {

struct StartFolders {
  std::filesystem::path settingsFile;
  std::filesystem::path dataFolder;  // empty: the working folder
  std::string status;                // for the status line at start; empty when there is nothing to say
};

// --ini and --data win. Otherwise the settings file is the program's path with ".INI" unless the program
// runs installed and has no such file (then the user's configuration folder), and an installed program
// started in a folder without airport data opens on PREFIX/share/corvane/demo.
StartFolders ChooseStartFolders(const WindowCommandLine& line, const std::filesystem::path& programPath, bool installed,
                                const formats::UserFolders& user, const std::filesystem::path& workingFolder);

}  // namespace corvane::shell
