// The settings file: every key in its order, read into the controls at construction, written back at close.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ini_file.h"

namespace corvane::shell {

class TForm1;

// The program's path with its extension replaced by ".INI".
std::filesystem::path SettingsPathFor(const std::filesystem::path& programPath);

// Applies every key of the document (or its default) to the form's controls and members. Returns one
// text per value that was there but of the wrong type or out of range, and so took its default.
std::vector<std::string> ApplySettings(const IniDocument& document, TForm1& form);
// The message that names them, one per line.
std::string SettingsProblemsText(const std::filesystem::path& path, const std::vector<std::string>& problems);

struct SettingsSaveResult {
  // One text per edit that did not hold an integer; its key keeps the value it had in the file.
  std::vector<std::string> badFields;
  std::optional<std::string> writeError;
};

// Writes every key from the form into the document (which holds the file as it was).
std::vector<std::string> StoreSettings(TForm1& form, IniDocument& document);
// Reads the file as it is, stores every key and replaces the file in one step.
SettingsSaveResult SaveSettings(TForm1& form, const std::filesystem::path& path);

}  // namespace corvane::shell
