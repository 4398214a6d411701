// The region a conversion keeps: a latitude/longitude box, which may cross the 180° meridian.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane::navimport {

struct GeoBox {
  double southDeg = -90.0;
  double westDeg = -180.0;
  double northDeg = 90.0;
  double eastDeg = 180.0;

  // Edges included. A box whose west edge lies east of its east edge crosses the 180° meridian.
  bool Contains(double latitudeDeg, double longitudeDeg) const;
};

// "SOUTH,WEST,NORTH,EAST" in decimal degrees; nullopt with `error` set when it is not one.
std::optional<GeoBox> ParseGeoBox(std::string_view text, std::string& error);

// Cuts the segment to the part inside the box (end points moved onto the edges). False when no part
// of it is inside.
bool ClipSegmentToBox(const GeoBox& box, double& latitude1Deg, double& longitude1Deg, double& latitude2Deg,
                      double& longitude2Deg);

}  // namespace corvane::navimport
