// Finds a data file by name without regard to letter case ("fsxarp.dat" opens "FSXARP.dat").
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace corvane::navdata {

// The file in folder whose name equals fileName ignoring ASCII letter case; an exact match wins,
// otherwise the first match in name order. Empty when there is none (or the folder is unreadable).
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view fileName);

}  // namespace corvane::navdata
