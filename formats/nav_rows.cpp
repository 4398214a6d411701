// Writers of the fix, geo and airway rows, placed at the readers' columns.
#include "formats/nav_rows.h"

#include "formats/dat_columns.h"
#include "formats/field_cut.h"
#include "formats/field_format.h"
#include "formats/fixed_row.h"

namespace corvane::formats {

namespace {

constexpr int kDecimals = 6;

// Comma fields carry no blanks, commas or line breaks of their own.
std::string CommaSafe(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != ',' && c != ' ' && static_cast<unsigned char>(c) >= 32) {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string FormatFixRow(std::string_view ident, double latitudeDeg, double longitudeDeg) {
  return FixedRow()
      .Put(fix_columns::kIdent, FormatIdent(ident, 5))
      .Put(fix_columns::kLatitude, FormatCoordinate(latitudeDeg, 4, kDecimals))
      .Put(fix_columns::kLongitude, FormatCoordinate(longitudeDeg, 5, kDecimals))
      .Take();
}

std::string FormatGeoLayerRow(int layer) {
  if (layer < 0 || layer > 9) {
    throw FieldOverflowError("geo layer " + std::to_string(layer) + " is not one digit");
  }
  return std::string(geo_columns::kLayerPrefix) + static_cast<char>('0' + layer);
}

std::string FormatGeoSegmentRow(double latitude1Deg, double longitude1Deg, double latitude2Deg, double longitude2Deg) {
  return FixedRow()
      .Put(geo_columns::kLatitude1, FormatCoordinate(latitude1Deg, 5, kDecimals))
      .Put(geo_columns::kLongitude1, FormatCoordinate(longitude1Deg, 5, kDecimals))
      .Put(geo_columns::kLatitude2, FormatCoordinate(latitude2Deg, 5, kDecimals))
      .Put(geo_columns::kLongitude2, FormatCoordinate(longitude2Deg, 5, kDecimals))
      .Take();
}

std::string FormatAirwayPointRow(const AirwayPointRow& row) {
  const std::string name = CommaSafe(row.airwayName);
  std::string line = name;
  line += ',';
  line += name;
  line += " ,";
  line += std::to_string(row.sequence);
  line += ',';
  line += CommaSafe(row.ident);
  line += ',';
  line += TrimBlanks(FormatCoordinate(row.latitudeDeg, 4, kDecimals));
  line += ',';
  line += TrimBlanks(FormatCoordinate(row.longitudeDeg, 5, kDecimals));
  line += ',';
  line += row.levelCode;
  return line;
}

}  // namespace corvane::formats
