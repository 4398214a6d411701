// Box membership, parsing and segment clipping (Liang-Barsky) for the --box region cut.
#include "tools/navimport/geo_box.h"

#include <algorithm>
#include <array>
#include <utility>

#include "tools/navimport/source_fields.h"

namespace corvane::navimport {

namespace {

bool ClipToPlainBox(double south, double west, double north, double east, double& lat1, double& lon1, double& lat2,
                    double& lon2) {
  const double dLon = lon2 - lon1;
  const double dLat = lat2 - lat1;
  double enter = 0.0;
  double leave = 1.0;
  // Each edge as p * t <= q.
  const std::array<std::pair<double, double>, 4> edges = {{
      {-dLon, lon1 - west},
      {dLon, east - lon1},
      {-dLat, lat1 - south},
      {dLat, north - lat1},
  }};
  for (const auto& [p, q] : edges) {
    if (p == 0.0) {
      if (q < 0.0) {
        return false;
      }
      continue;
    }
    const double t = q / p;
    if (p < 0.0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
    if (enter > leave) {
      return false;
    }
  }
  const double startLat = lat1;
  const double startLon = lon1;
  if (enter > 0.0) {
    lat1 = startLat + enter * dLat;
    lon1 = startLon + enter * dLon;
  }
  if (leave < 1.0) {
    lat2 = startLat + leave * dLat;
    lon2 = startLon + leave * dLon;
  }
  return true;
}

}  // namespace

bool GeoBox::Contains(double latitudeDeg, double longitudeDeg) const {
  if (latitudeDeg < southDeg || latitudeDeg > northDeg) {
    return false;
  }
  if (westDeg <= eastDeg) {
    return longitudeDeg >= westDeg && longitudeDeg <= eastDeg;
  }
  return longitudeDeg >= westDeg || longitudeDeg <= eastDeg;
}

std::optional<GeoBox> ParseGeoBox(std::string_view text, std::string& error) {
  std::array<double, 4> values{};
  std::size_t count = 0;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view part = TrimBlanks(text.substr(0, comma));
    const auto value = ParseDecimal(part);
    if (!value || count == values.size()) {
      error = "box \"" + std::string(text) + "\" is not SOUTH,WEST,NORTH,EAST in decimal degrees";
      return std::nullopt;
    }
    values[count++] = *value;
    if (comma == std::string_view::npos) {
      break;
    }
    text.remove_prefix(comma + 1);
  }
  if (count != 4) {
    error = "box needs four numbers: SOUTH,WEST,NORTH,EAST";
    return std::nullopt;
  }
  GeoBox box{values[0], values[1], values[2], values[3]};
  if (box.southDeg < -90.0 || box.northDeg > 90.0 || box.southDeg > box.northDeg) {
    error = "box latitudes must satisfy -90 <= SOUTH <= NORTH <= 90";
    return std::nullopt;
  }
  if (box.westDeg < -180.0 || box.westDeg > 180.0 || box.eastDeg < -180.0 || box.eastDeg > 180.0) {
    error = "box longitudes must lie within -180..180";
    return std::nullopt;
  }
  return box;
}

bool ClipSegmentToBox(const GeoBox& box, double& latitude1Deg, double& longitude1Deg, double& latitude2Deg,
                      double& longitude2Deg) {
  if (box.westDeg <= box.eastDeg) {
    return ClipToPlainBox(box.southDeg, box.westDeg, box.northDeg, box.eastDeg, latitude1Deg, longitude1Deg,
                          latitude2Deg, longitude2Deg);
  }
  // Across the 180° meridian: the eastern half first, then the western half.
  double lat1 = latitude1Deg, lon1 = longitude1Deg, lat2 = latitude2Deg, lon2 = longitude2Deg;
  if (ClipToPlainBox(box.southDeg, box.westDeg, box.northDeg, 180.0, lat1, lon1, lat2, lon2)) {
    latitude1Deg = lat1, longitude1Deg = lon1, latitude2Deg = lat2, longitude2Deg = lon2;
    return true;
  }
  return ClipToPlainBox(box.southDeg, -180.0, box.northDeg, box.eastDeg, latitude1Deg, longitude1Deg, latitude2Deg,
                        longitude2Deg);
}

}  // namespace corvane::navimport
