// ChooseStartFolders: the portable places first, the installed ones where those cannot serve.
#include "corvane/shell/start_folders.h"

#include <system_error>

#include "corvane/navdata/data_file_name.h"
#include "corvane/navdata/nav_loaders.h"
#include "corvane/shell/settings_file.h"

namespace corvane::shell {
namespace {

// Either family's airport file: without one the folder is not a data folder.
bool HoldsAirportData(const std::filesystem::path& folder) {
  return navdata::FindFileIgnoringCase(folder, navdata::nav_file_names::kXPlaneAirports).has_value() ||
         navdata::FindFileIgnoringCase(folder, navdata::nav_file_names::kFsAirports).has_value();
}

}  // namespace

StartFolders ChooseStartFolders(const WindowCommandLine& line, const std::filesystem::path& programPath, bool installed,
                                const formats::UserFolders& user, const std::filesystem::path& workingFolder) {
  StartFolders folders;
  folders.settingsFile = !line.settingsPath.empty()
                             ? std::filesystem::path(line.settingsPath)
                             : formats::ChooseSettingsFile(SettingsPathFor(programPath), installed, user);
  folders.dataFolder = line.dataFolder;
  if (!folders.dataFolder.empty() || !installed || HoldsAirportData(workingFolder)) return folders;
  const std::filesystem::path share = formats::InstalledShareFolder(programPath);
  std::error_code error;
  if (share.empty() || !std::filesystem::is_directory(share / "demo", error)) return folders;
  folders.dataFolder = share / "demo";
  folders.status = "Demo data of " + folders.dataFolder.string() + " (--data DIR opens your own)";
  return folders;
}

}  // namespace corvane::shell
