// Field split of an airway point line.
#include "formats/airway_fields.h"

#include "formats/dat_columns.h"
#include "formats/field_cut.h"

namespace corvane::formats {

AirwayPointFields ParseAirwayPoint(std::string_view line) {
  AirwayPointFields point;
  const std::string_view nameField = TrimBlanks(CommaField(line, airway_fields::kAirwayName));
  point.airwayName = nameField.substr(0, nameField.find(' '));
  point.ident = TrimBlanks(CommaField(line, airway_fields::kIdent));
  point.latitudeDeg = ParseDouble(CommaField(line, airway_fields::kLatitude));
  point.longitudeDeg = ParseDouble(CommaField(line, airway_fields::kLongitude));
  point.levelCode = line.empty() ? ' ' : line.back();
  return point;
}

}  // namespace corvane::formats
