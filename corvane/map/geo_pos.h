// GeoPos: a position in decimal degrees, north and east positive.
#pragma once

namespace corvane::map {

struct GeoPos {
  double latitude = 0;
  double longitude = 0;
  bool operator==(const GeoPos&) const = default;
};

}  // namespace corvane::map
