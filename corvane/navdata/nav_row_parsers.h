// One row of each navigation data file, cut by its fixed columns. A row that cannot be read throws
// RowRejected (table_loading.h) with the reason.
#pragma once

#include <string>
#include <string_view>

#include "corvane/navdata/nav_tables.h"

namespace corvane::navdata {

// Airport idents keep one trailing blank when they come from the airport file, none from the user file.
enum class AirportIdentStyle { kWithTrailingBlank, kTrimmed };

AirportRow ParseAirportRow(std::string_view line, AirportIdentStyle identStyle);
RunwayEndRow ParseRunwayEndRow(std::string_view line);
HeliportRow ParseHeliportRow(std::string_view line);
// The VOR name is seven characters in FS mode and a single blank in X-Plane mode.
BeaconRow ParseVorRow(std::string_view line, DatabaseSource source);
BeaconRow ParseIlsRow(std::string_view line);
BeaconRow ParseNdbRow(std::string_view line);
// VOR and NDB rows of the user file: no name.
BeaconRow ParseUserBeaconRow(std::string_view line, BeaconKind kind);
FixRow ParseFixRow(std::string_view line);
GeoSegmentRow ParseGeoSegmentRow(std::string_view line, std::int32_t layer);

// One line of the airways file: a point of an airway, in route order.
struct AirwayPoint {
  std::string airwayName;  // with one trailing blank
  std::string ident;       // with one trailing blank
  float latitude = 0;
  float longitude = 0;
  AirwayLevel level = AirwayLevel::kNone;
};
AirwayPoint ParseAirwayPoint(std::string_view line);

}  // namespace corvane::navdata
