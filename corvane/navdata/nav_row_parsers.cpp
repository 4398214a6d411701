// Column cutting for every row kind of the navigation data files.
#include "corvane/navdata/nav_row_parsers.h"

#include <algorithm>
#include <cstddef>

#include "corvane/navdata/table_loading.h"
#include "formats/airway_fields.h"
#include "formats/conversion_error.h"
#include "formats/dat_columns.h"
#include "formats/field_cut.h"

namespace corvane::navdata {
namespace {

using formats::CutField;
using formats::TrimmedField;

std::string WithTrailingBlank(std::string_view text) {
  std::string result;
  result.reserve(text.size() + 1);
  result.append(text);
  result.push_back(' ');
  return result;
}

// Ident, position and frequency: the columns that VOR, ILS, NDB and user beacon rows share.
BeaconRow ParseBeaconBase(std::string_view line, BeaconKind kind) {
  namespace columns = formats::beacon_columns;
  BeaconRow row;
  row.kind = kind;
  row.latitude = FloatField(line, columns::kLatitude, "latitude");
  row.longitude = FloatField(line, columns::kLongitude, "longitude");
  row.ident = TrimmedField(line, columns::kIdent);
  row.frequencyText = CutField(line, columns::kFrequency);
  return row;
}

AirwayLevel LevelFromLetter(char letter) {
  switch (letter) {
    case formats::airway_fields::kLevelHigh: return AirwayLevel::kHigh;
    case formats::airway_fields::kLevelBoth: return AirwayLevel::kBoth;
    case formats::airway_fields::kLevelLow: return AirwayLevel::kLow;
    default: return AirwayLevel::kNone;
  }
}

}  // namespace

AirportRow ParseAirportRow(std::string_view line, AirportIdentStyle identStyle) {
  namespace columns = formats::airport_columns;
  AirportRow row;
  row.latitude = FloatField(line, columns::kLatitude, "latitude");
  row.longitude = FloatField(line, columns::kLongitude, "longitude");
  row.ident = identStyle == AirportIdentStyle::kWithTrailingBlank ? WithTrailingBlank(CutField(line, columns::kIdent))
                                                                  : std::string(TrimmedField(line, columns::kIdent));
  row.elevationText = TrimmedField(line, columns::kElevation);
  row.name = CutField(line, columns::kName);
  return row;
}

RunwayEndRow ParseRunwayEndRow(std::string_view line) {
  namespace columns = formats::runway_columns;
  RunwayEndRow row;
  row.latitude = FloatField(line, columns::kLatitude, "latitude");
  row.longitude = FloatField(line, columns::kLongitude, "longitude");
  row.headingDegTrue = FloatField(line, columns::kHeading, "heading");
  row.halfLengthM = FloatField(line, columns::kHalfLength, "half-length");
  row.designator = CutField(line, columns::kDesignator);
  if (line.size() > columns::kExtraTextAfterLength) row.extraText = CutField(line, columns::kExtraText);
  return row;
}

HeliportRow ParseHeliportRow(std::string_view line) {
  namespace columns = formats::heliport_columns;
  HeliportRow row;
  row.latitude = FloatField(line, columns::kLatitude, "latitude");
  row.longitude = FloatField(line, columns::kLongitude, "longitude");
  return row;
}

BeaconRow ParseVorRow(std::string_view line, DatabaseSource source) {
  BeaconRow row = ParseBeaconBase(line, BeaconKind::kVor);
  row.name = source == DatabaseSource::kFs ? std::string(CutField(line, formats::beacon_columns::kVorName)) : " ";
  return row;
}

BeaconRow ParseIlsRow(std::string_view line) {
  namespace columns = formats::ils_columns;
  BeaconRow row = ParseBeaconBase(line, BeaconKind::kIls);
  row.frequencyText = CutField(line, columns::kFrequencyText);
  row.name = CutField(line, columns::kName);
  return row;
}

BeaconRow ParseNdbRow(std::string_view line) { return ParseBeaconBase(line, BeaconKind::kNdb); }

BeaconRow ParseUserBeaconRow(std::string_view line, BeaconKind kind) { return ParseBeaconBase(line, kind); }

FixRow ParseFixRow(std::string_view line) {
  namespace columns = formats::fix_columns;
  FixRow row;
  row.latitude = FloatField(line, columns::kLatitude, "latitude");
  row.longitude = FloatField(line, columns::kLongitude, "longitude");
  row.ident = WithTrailingBlank(CutField(line, columns::kIdent));
  return row;
}

GeoSegmentRow ParseGeoSegmentRow(std::string_view line, std::int32_t layer) {
  namespace columns = formats::geo_columns;
  GeoSegmentRow row;
  row.latitude1 = FloatField(line, columns::kLatitude1, "latitude 1");
  row.longitude1 = FloatField(line, columns::kLongitude1, "longitude 1");
  row.latitude2 = FloatField(line, columns::kLatitude2, "latitude 2");
  row.longitude2 = FloatField(line, columns::kLongitude2, "longitude 2");
  row.layer = layer;
  return row;
}

AirwayPoint ParseAirwayPoint(std::string_view line) {
  namespace fields = formats::airway_fields;
  if (std::count(line.begin(), line.end(), ',') + 1 < static_cast<std::ptrdiff_t>(fields::kLongitude)) {
    throw RowRejected("too few comma-separated fields (" + std::to_string(fields::kLongitude) + " needed)");
  }
  formats::AirwayPointFields parsed;
  try {
    parsed = formats::ParseAirwayPoint(line);
  } catch (const formats::ConversionError& error) {
    throw RowRejected(std::string("latitude or longitude (fields 5 and 6): ") + error.what());
  }
  AirwayPoint point;
  point.latitude = static_cast<float>(parsed.latitudeDeg);
  point.longitude = static_cast<float>(parsed.longitudeDeg);
  point.level = LevelFromLetter(parsed.levelCode);
  if (point.level == AirwayLevel::kNone) throw RowRejected("airway level: the line does not end with H, B or L");
  if (parsed.airwayName.empty()) throw RowRejected("airway name (field 2) is empty");
  if (parsed.ident.empty()) throw RowRejected("point ident (field 4) is empty");
  point.airwayName = WithTrailingBlank(parsed.airwayName);
  point.ident = WithTrailingBlank(parsed.ident);
  return point;
}

}  // namespace corvane::navdata
