// Case-insensitive lookup of a file name in one folder.
#include "corvane/navdata/data_file_name.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace corvane::navdata {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view fileName) {
  std::error_code error;
  const std::filesystem::path exact = folder / std::filesystem::path(std::string(fileName));
  if (std::filesystem::is_regular_file(exact, error)) return exact;

  std::optional<std::filesystem::path> found;
  std::filesystem::directory_iterator entries(folder, error);
  if (error) return std::nullopt;
  for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
    const std::filesystem::directory_entry& entry = *entries;
    const std::string name = entry.path().filename().string();
    if (!EqualIgnoringCase(name, fileName)) continue;
    if (!entry.is_regular_file(error)) continue;
    if (!found || name < found->filename().string()) found = entry.path();
  }
  return found;
}

}  // namespace corvane::navdata
