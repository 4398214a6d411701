// The choice between the program's own folder and the user's folders.
#include "formats/program_folders.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace corvane::formats {
namespace {

std::filesystem::path AbsoluteOrEmpty(const char* value) {
  if (value == nullptr || *value == '\0') return {};
  std::filesystem::path path(value);
  return path.is_absolute() ? path : std::filesystem::path{};
}

}  // namespace

UserFolders UserFoldersFrom(const char* xdgConfigHome, const char* xdgDataHome, const char* home) {
  UserFolders folders;
  const std::filesystem::path homeFolder = AbsoluteOrEmpty(home);
  folders.config = AbsoluteOrEmpty(xdgConfigHome);
  if (folders.config.empty() && !homeFolder.empty()) folders.config = homeFolder / ".config";
  folders.data = AbsoluteOrEmpty(xdgDataHome);
  if (folders.data.empty() && !homeFolder.empty()) folders.data = homeFolder / ".local" / "share";
  return folders;
}

UserFolders UserFoldersFromAppData(const std::filesystem::path& appData, const std::filesystem::path& localAppData) {
  UserFolders folders;
  if (appData.is_absolute()) folders.config = appData;
  folders.data = localAppData.is_absolute() ? localAppData : folders.config;
  return folders;
}

UserFolders UserFoldersOfEnvironment() {
#ifdef _WIN32
  // The wide values, so a user name outside the system's code page keeps its folder.
  const auto folder = [](const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path{};
  };
  return UserFoldersFromAppData(folder(L"APPDATA"), folder(L"LOCALAPPDATA"));
#else
  return UserFoldersFrom(std::getenv("XDG_CONFIG_HOME"), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
#endif
}

std::filesystem::path InstalledShareFolder(const std::filesystem::path& programPath) {
  const std::filesystem::path bin = programPath.parent_path();
  if (bin.filename() != "bin") return {};
  const std::filesystem::path share = bin.parent_path() / "share" / "corvane";
  std::error_code error;
  return std::filesystem::is_directory(share, error) ? share : std::filesystem::path{};
}

bool FolderAcceptsNewFiles(const std::filesystem::path& folder) {
  std::mt19937_64 random(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  const std::filesystem::path probe = folder / (".write-probe-" + std::to_string(random()));
  bool made = false;
  {
    std::ofstream file(probe, std::ios::binary | std::ios::app);
    made = static_cast<bool>(file);
  }
  std::error_code ignored;
  if (made) std::filesystem::remove(probe, ignored);
  return made;
}

bool RunsInstalled(const std::filesystem::path& programPath) {
  return !InstalledShareFolder(programPath).empty() || !FolderAcceptsNewFiles(programPath.parent_path());
}

std::filesystem::path ChooseSettingsFile(const std::filesystem::path& portableFile, bool installed,
                                         const UserFolders& user) {
  std::error_code error;
  if (!installed || user.config.empty() || std::filesystem::exists(portableFile, error)) return portableFile;
  return user.config / "corvane" / portableFile.filename();
}

std::filesystem::path RunningProgramPath(const char* argv0) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error && self.is_absolute()) return self;
  if (argv0 == nullptr || *argv0 == '\0') return {};
  return std::filesystem::absolute(argv0, error);
}

}  // namespace corvane::formats
