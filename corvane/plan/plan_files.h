// Plan files (".nav"): the listing's lines on disk, the autosave file and the dialogs' folders.
#pragma once

#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::plan {

inline constexpr std::string_view kPlanFileFilter = "NAV files|*.nav|Text files|*.txt|All files|*.*";
inline constexpr std::string_view kPlanFileExtension = "nav";
inline constexpr std::string_view kLoadPlanTitle = "Load NAV FP";
inline constexpr std::string_view kSavePlanTitle = "Save NAV FP";
inline constexpr std::string_view kAutosaveFileName = "autosave.nav";

// The folder part of a chosen file name, up to and including its last "\" (or "/"); empty without one.
std::string FolderOfChosenFile(std::string_view chosenName);

// A chosen name without an extension takes the dialog's default one ("plan" -> "plan.nav").
std::string WithDefaultExtension(std::string_view chosenName, std::string_view defaultExtension);

// Where a dialog folder text points on this machine: a Windows drive path such as the default "C:\"
// (or an empty text) stands for the user's home folder; anything else is taken as it is.
std::filesystem::path DialogFolderPath(std::string_view initialDir);

// Where a file name typed into a settings field points on this machine: a Windows drive path such as
// the default "C:default.fpl" or "C:\ivap\my.fpl" names that file in the user's home folder.
std::filesystem::path UserFilePath(std::string_view typedName);

// The autosave file in the save dialog's current folder.
std::filesystem::path AutosavePath(std::string_view saveInitialDir);

// A plan file that could not be written; what() names the file and the reason.
class PlanFileWriteError : public std::runtime_error {
 public:
  PlanFileWriteError(const std::filesystem::path& path, const std::string& reason)
      : std::runtime_error("Cannot write " + path.string() + ": " + reason), path_(path) {}
  const std::filesystem::path& path() const noexcept { return path_; }

 private:
  std::filesystem::path path_;
};

// Writes the lines with CR LF, replacing the file whole (formats/atomic_file.h), so a failed write
// leaves the previous file as it was. Throws PlanFileWriteError.
void SavePlanFile(const std::filesystem::path& path, std::span<const std::string> lines);

// The file's lines (CR LF or LF). Throws formats::TextFileError.
std::vector<std::string> LoadPlanFile(const std::filesystem::path& path);

}  // namespace corvane::plan
