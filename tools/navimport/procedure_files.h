// The SID and STAR files of a converted folder: written from CIFP data, or empty when the source data
// holds no procedures, in the layout corvane reads, unless the folder already has its own.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace corvane::navimport {

inline constexpr const char* kSidFile = "navsid.dat";
inline constexpr const char* kStarFile = "navstar.dat";

// The three header lines the reader skips, and no procedure.
std::string EmptyProcedureFileText(std::string_view fileName);

// The three header lines of a file written from CIFP data.
std::string ProcedureFileHeaderText(std::string_view fileName);

// True when folder holds a file of that name in any letter case, as corvane would open it.
bool HasFileIgnoringCase(const std::filesystem::path& folder, std::string_view fileName);

}  // namespace corvane::navimport
