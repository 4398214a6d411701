// KML path import: the first <coordinates> element of a KML file turned into plan lines: the airport
// nearest the first point, one user point per path point but the last, the airport nearest the last.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/navdata/nav_tables.h"

namespace corvane::exchange {

inline constexpr std::string_view kKmlFileFilter = "kml file|*.kml|all files|*.*";

// Numbers are written as the file gives them, cut after this many decimals.
inline constexpr std::size_t kKmlKeptDecimals = 7;
// The nearest airport is looked for within this distance; farther away the first airport is taken.
inline constexpr double kKmlAirportSearchNm = 1000.0;

struct KmlImport {
  std::vector<std::string> planLines;  // for Memo1, parsed by the OK button
  std::optional<std::string> error;    // not XML, no coordinates, a bad tuple, fewer than two points
};

// "lon,lat[,alt]" tuples separated by any whitespace; the altitude is read but not used.
KmlImport KmlPlanLines(std::string_view kmlText, const navdata::AirportTable& airports);
KmlImport ImportKmlFile(const std::filesystem::path& path, const navdata::AirportTable& airports);

}  // namespace corvane::exchange
