// One airway point line of "NAVawy.dat" (comma-separated) taken apart by its field numbers.
#pragma once

#include <string_view>

namespace corvane::formats {

struct AirwayPointFields {
  std::string_view airwayName{};  // field 2 up to its first blank
  std::string_view ident{};       // field 4, blanks trimmed
  double latitudeDeg = 0.0;       // field 5
  double longitudeDeg = 0.0;      // field 6
  char levelCode = ' ';           // the line's last character: 'H', 'B' or 'L'
};

// Throws ConversionError when the latitude or longitude is not a number (a missing field is empty
// and fails the same way). A name field without a blank is taken whole.
AirwayPointFields ParseAirwayPoint(std::string_view line);

}  // namespace corvane::formats
