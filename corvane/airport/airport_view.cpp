// The airport view's projection and its inverse for clicks.
#include "corvane/airport/airport_view.h"

#include <cmath>

#include "corvane/map/paint_support.h"

namespace corvane::airport {

AirportViewGeometry MakeAirportViewGeometry(map::GeoPos centre, float zoomDeg, std::int32_t widthPx,
                                            std::int32_t heightPx) {
  AirportViewGeometry view;
  view.centre = centre;
  view.cosCentre = static_cast<float>(map::CosDeg(centre.latitude));
  view.width = widthPx;
  view.height = heightPx;
  view.cx = widthPx / 2;
  view.cy = heightPx / 2;
  view.pxPerDeg = zoomDeg > 0 ? view.cy / double(zoomDeg) : 0.0;
  return view;
}

map::ScreenPoint ProjectToAirportView(const AirportViewGeometry& view, double latitude, double longitude) {
  map::ScreenPoint p;
  p.x = map::TruncToInt(view.cx + (longitude - view.centre.longitude) * view.pxPerDeg * view.cosCentre);
  p.y = map::TruncToInt(view.height - (view.cy + (latitude - view.centre.latitude) * view.pxPerDeg));
  return p;
}

map::ScreenPoint ProjectWithDistance(const AirportViewGeometry& view, double latitude, double longitude) {
  map::ScreenPoint p = ProjectToAirportView(view, latitude, longitude);
  p.distNm = map::PolarOffsetBetween(view.centre, {latitude, longitude}).distNm;
  return p;
}

std::optional<map::GeoPos> AirportViewToGeo(const AirportViewGeometry& view, std::int32_t x, std::int32_t y) {
  const double pxPerDegEast = view.pxPerDeg * view.cosCentre;
  if (view.pxPerDeg <= 0 || std::abs(pxPerDegEast) < 1e-9) return std::nullopt;
  return map::GeoPos{(view.height - y - view.cy) / view.pxPerDeg + view.centre.latitude,
                     (x - view.cx) / pxPerDegEast + view.centre.longitude};
}

}  // namespace corvane::airport
