// The airport view's north-up projection: a linear scale around the view's centre, set by the zoom
// (half the view height in degrees of latitude).
#pragma once

#include <cstdint>
#include <optional>

#include "corvane/map/geo_pos.h"
#include "corvane/map/map_view.h"

namespace corvane::airport {

inline constexpr float kAirportViewStartZoom = 0.1f;

struct AirportViewGeometry {
  map::GeoPos centre;
  float cosCentre = 1;  // single precision, as the view keeps it
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t cx = 0;  // width / 2
  std::int32_t cy = 0;  // height / 2
  double pxPerDeg = 0;  // S: pixels per degree of latitude
};

AirportViewGeometry MakeAirportViewGeometry(map::GeoPos centre, float zoomDeg, std::int32_t widthPx,
                                            std::int32_t heightPx);

// The pixel of a position; distNm is left 0 (ProjectWithDistance fills it).
map::ScreenPoint ProjectToAirportView(const AirportViewGeometry& view, double latitude, double longitude);
// The pixel and the distance from the centre by the map's rule, for painters shared with the map.
map::ScreenPoint ProjectWithDistance(const AirportViewGeometry& view, double latitude, double longitude);

// The position under a pixel; empty when the view has no scale (no height, or the centre at a pole).
std::optional<map::GeoPos> AirportViewToGeo(const AirportViewGeometry& view, std::int32_t x, std::int32_t y);

inline bool OnAirportScreen(const AirportViewGeometry& view, const map::ScreenPoint& p) {
  return p.x > 0 && p.x < view.width && p.y > 0 && p.y < view.height;
}

}  // namespace corvane::airport
