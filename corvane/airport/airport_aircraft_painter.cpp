// The own aircraft on the diagram: selected-heading and drift lines, the symbol, and the descent marker.
#include "corvane/airport/airport_painters.h"
#include "corvane/map/map_painters.h"

namespace corvane::airport {
namespace {

constexpr double kHeadingLinePx = 200;
constexpr double kMarkerHalfWidthPx = 20;

void LineToward(map::Canvas& canvas, const map::ScreenPoint& from, double bearingDeg, double lengthPx) {
  map::Line(canvas, from.x, from.y, map::TruncToInt(from.x + lengthPx * map::SinDeg(bearingDeg)),
            map::TruncToInt(from.y - lengthPx * map::CosDeg(bearingDeg)));
}

// Where the selected altitude is reached at the selected vertical speed, as a bar across the track.
void PaintDescentMarker(map::Canvas& canvas, const AirportViewGeometry& view, const map::OwnAircraft& aircraft,
                        const map::ScreenPoint& p) {
  const double altitude = aircraft.altitudeFt;
  const double verticalSpeed = aircraft.apVerticalSpeedFpm;
  if (!(altitude > 100 && aircraft.apAltitudeFt < altitude && verticalSpeed < -100 && aircraft.groundSpeedKt > 50)) {
    return;
  }
  const std::int32_t nmPerMin = aircraft.groundSpeedKt / 60;
  const double distanceNm = (aircraft.apAltitudeFt - altitude) / verticalSpeed * nmPerMin;
  const double aheadPx = distanceNm / 60 * view.pxPerDeg;
  const double s = map::SinDeg(aircraft.headingDegTrue);
  const double c = map::CosDeg(aircraft.headingDegTrue);
  const double x = p.x + aheadPx * s;
  const double y = p.y - aheadPx * c;
  // The green of the map's level-off marker.
  canvas.SetPenColor(map::kLime);
  map::Line(canvas, map::TruncToInt(x - kMarkerHalfWidthPx * c), map::TruncToInt(y - kMarkerHalfWidthPx * s),
            map::TruncToInt(x + kMarkerHalfWidthPx * c), map::TruncToInt(y + kMarkerHalfWidthPx * s));
}

}  // namespace

void PaintAirportAircraft(map::Canvas& canvas, const AirportViewGeometry& view, const map::OwnAircraft& aircraft) {
  canvas.SetPenColor(map::kWhite);
  const map::ScreenPoint p = ProjectToAirportView(view, aircraft.latitude, aircraft.longitude);
  if (aircraft.connected) {
    canvas.SetPenColor(map::kRed);
    LineToward(canvas, p, double(aircraft.apHeadingDeg) + aircraft.magneticVariationDeg, kHeadingLinePx);
    double track = aircraft.headingDegTrue + map::DriftDeg(aircraft);
    if (track > 360) track -= 360;
    canvas.SetPenColor(map::kWhite);
    LineToward(canvas, p, track, kHeadingLinePx);
  }
  if (OnAirportScreen(view, p)) map::PaintAircraftSymbol(canvas, p.x, p.y, aircraft.headingDegTrue);
  PaintDescentMarker(canvas, view, aircraft, p);
}

}  // namespace corvane::airport
