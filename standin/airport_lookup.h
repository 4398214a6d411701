// Finds an airport's position by ident in a data folder (NAVapt.dat or fsxarp.dat).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::standin {

struct AirportPosition {
  double latitude = 0;
  double longitude = 0;
};

// Looks in NAVapt.dat, then fsxarp.dat (file names matched without regard to case). Rows: ident in
// columns 1-4, latitude in 6-15, longitude in 16-26; ";" starts a comment line. On failure `error` says why.
std::optional<AirportPosition> FindAirport(const std::filesystem::path& dataFolder, std::string_view ident,
                                           std::string& error);

}  // namespace corvane::standin
