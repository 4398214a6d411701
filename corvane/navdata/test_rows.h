// Builders of fixed-column data file lines for the loader tests.
#pragma once

#include <string>
#include <string_view>

namespace corvane::navdata::testing {

inline std::string Right(std::string_view text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + std::string(text);
}
inline std::string Left(std::string_view text, std::size_t width) {
  return std::string(text) + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

// Airport file: ident 1-5, latitude 6-15, longitude 16-26, elevation 27-32, name from 35.
inline std::string AirportLine(std::string_view ident, std::string_view lat, std::string_view lon,
                               std::string_view elevation, std::string_view name) {
  return Left(ident, 5) + Right(lat, 10) + Right(lon, 11) + Right(elevation, 6) + "  " + std::string(name);
}
// VOR and NDB files: ident 1-5, latitude 6-15, longitude 16-26, frequency 29-34, name from 36.
inline std::string BeaconLine(std::string_view ident, std::string_view lat, std::string_view lon,
                              std::string_view frequency, std::string_view name = "") {
  return Left(ident, 5) + Right(lat, 10) + Right(lon, 11) + "  " + Left(frequency, 6) + " " + std::string(name);
}
// Runway file: airport 1-4, designator 5-8, latitude 10-19, longitude 20-30, heading 32-34,
// half-length 36-40, extra text 42-51.
inline std::string RunwayLine(std::string_view airport, std::string_view designator, std::string_view lat,
                              std::string_view lon, std::string_view heading, std::string_view halfLength,
                              std::string_view extra = "") {
  std::string line = Left(airport, 4) + Left(designator, 4) + " " + Right(lat, 10) + Right(lon, 11) + " " +
                     Right(heading, 3) + " " + Right(halfLength, 5);
  if (!extra.empty()) line += " " + std::string(extra);
  return line;
}
// Fix file: ident 1-5, latitude 6-15, longitude 17-27.
inline std::string FixLine(std::string_view ident, std::string_view lat, std::string_view lon) {
  return Left(ident, 5) + Right(lat, 10) + " " + Right(lon, 11);
}
// Geo file: four 11-character coordinates with a blank between.
inline std::string GeoLine(std::string_view lat1, std::string_view lon1, std::string_view lat2, std::string_view lon2) {
  return Right(lat1, 11) + " " + Right(lon1, 11) + " " + Right(lat2, 11) + " " + Right(lon2, 11);
}
// Heliport file: ident 1-6, latitude 7-18, longitude 20-32, then heading and sizes.
inline std::string HeliportLine(std::string_view ident, std::string_view lat, std::string_view lon) {
  return Left(ident, 6) + Right(lat, 12) + " " + Right(lon, 13) + " 270    15    10";
}

}  // namespace corvane::navdata::testing
