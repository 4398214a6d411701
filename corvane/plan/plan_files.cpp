// Saving and loading plan files; the save replaces the file whole or not at all.
#include "corvane/plan/plan_files.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#include "formats/atomic_file.h"
#include "formats/text_lines.h"

namespace corvane::plan {
namespace {

// A drive letter where the system has none: it stands for the home folder. On Windows it is a real path.
bool IsWindowsDrivePath(std::string_view text) {
  return text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) != 0 && text[1] == ':' &&
         !std::filesystem::path(std::string(text.substr(0, 2))).has_root_name();
}

std::filesystem::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  std::error_code error;
  return std::filesystem::current_path(error);
}

}  // namespace

std::string FolderOfChosenFile(std::string_view chosenName) {
  const std::size_t last = chosenName.find_last_of("\\/");
  if (last == std::string_view::npos) return {};
  return std::string(chosenName.substr(0, last + 1));
}

std::string WithDefaultExtension(std::string_view chosenName, std::string_view defaultExtension) {
  const std::size_t folderEnd = chosenName.find_last_of("\\/");
  const std::string_view fileName = folderEnd == std::string_view::npos ? chosenName : chosenName.substr(folderEnd + 1);
  std::string name(chosenName);
  if (fileName.empty() || defaultExtension.empty() || fileName.find('.') != std::string_view::npos) return name;
  return name + "." + std::string(defaultExtension);
}

std::filesystem::path DialogFolderPath(std::string_view initialDir) {
  if (initialDir.empty() || IsWindowsDrivePath(initialDir)) return HomeFolder();
  return std::filesystem::path(std::string(initialDir));
}

std::filesystem::path UserFilePath(std::string_view typedName) {
  if (!IsWindowsDrivePath(typedName)) return std::filesystem::path(std::string(typedName));
  std::string relative(typedName.substr(2));
  std::replace(relative.begin(), relative.end(), '\\', '/');
  relative.erase(0, relative.find_first_not_of('/'));
  return HomeFolder() / relative;
}

std::filesystem::path AutosavePath(std::string_view saveInitialDir) {
  return DialogFolderPath(saveInitialDir) / std::string(kAutosaveFileName);
}

void SavePlanFile(const std::filesystem::path& path, std::span<const std::string> lines) {
  std::string text;
  for (const std::string& line : lines) formats::AppendTextLine(text, line);
  if (const auto reason = formats::WriteFileAtomically(path, text)) throw PlanFileWriteError(path, *reason);
}

std::vector<std::string> LoadPlanFile(const std::filesystem::path& path) { return formats::ReadTextLines(path); }

}  // namespace corvane::plan
