// Row writers for the files the main program reads but the scenery compiler does not write: fixes
// ("NAVwpt.dat"), geo lines ("corvane_geo.dat") and airway points ("NAVawy.dat"). Each returns one
// line without its line end.
#pragma once

#include <string>
#include <string_view>

namespace corvane::formats {

// Ident in 5, latitude in columns 6-15, a blank, longitude in 17-27 (6 decimals, cut).
std::string FormatFixRow(std::string_view ident, double latitudeDeg, double longitudeDeg);

// ";LAYER" and the layer's digit (0 to 9).
std::string FormatGeoLayerRow(int layer);
// Four coordinates of 11 characters (6 decimals, cut), one blank between them.
std::string FormatGeoSegmentRow(double latitude1Deg, double longitude1Deg, double latitude2Deg, double longitude2Deg);

struct AirwayPointRow {
  std::string_view airwayName{};
  int sequence = 0;  // position of the point along the airway, for the reader of the file only
  std::string_view ident{};
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
  char levelCode = 'B';  // 'H' high, 'B' both, 'L' low
};

// "name,name ,sequence,ident,latitude,longitude,level": the second field holds the name and the blank
// that ends it.
std::string FormatAirwayPointRow(const AirwayPointRow& row);

}  // namespace corvane::formats
