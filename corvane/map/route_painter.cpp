// The flight plan's route: one line through every waypoint, each labelled with its ident or profile name.
#include "map_painters.h"

namespace corvane::map {

void PaintRoute(Canvas& canvas, const MapView& view, std::span<const RouteWaypoint> route, Color routeColor) {
  PaintRoute(
      canvas, [&view](double latitude, double longitude) { return ProjectToScreen(view, latitude, longitude); }, route,
      routeColor);
}

void PaintRoute(Canvas& canvas, const PointProjection& project, std::span<const RouteWaypoint> route,
                Color routeColor) {
  canvas.SetPenColor(routeColor);
  SetFontColor(canvas, routeColor);
  for (std::size_t i = 0; i < route.size(); ++i) {
    const RouteWaypoint& waypoint = route[i];
    if (waypoint.latitude == 0 && waypoint.longitude == 0) break;
    const ScreenPoint p = project(waypoint.latitude, waypoint.longitude);
    if (i > 0) canvas.LineTo(p.x, p.y);
    canvas.TextOut(p.x + 5, p.y, waypoint.ident == "*****" ? waypoint.typeText : waypoint.ident);
    canvas.MoveTo(p.x, p.y);
  }
}

void PaintHoldMarker(Canvas& canvas, const MapView& view, const HoldMarker& hold) {
  if (hold.holdActive == 0) return;
  const ScreenPoint p = ProjectToScreen(view, hold.latitude, hold.longitude);
  SetFontColor(canvas, kRed);
  canvas.TextOut(p.x, p.y, "'HOLD");
}

void PaintAirwayPoints(Canvas& canvas, const MapView& view, std::span<const AirwayPoint> points) {
  canvas.SetPenColor(kYellow);
  SetFontColor(canvas, kYellow);
  for (const AirwayPoint& point : points) {
    if (point.latitude == 0 && point.longitude == 0) break;
    const ScreenPoint p = ProjectToScreen(view, point.latitude, point.longitude);
    canvas.TextOut(p.x, p.y, "X");
  }
}

}  // namespace corvane::map
