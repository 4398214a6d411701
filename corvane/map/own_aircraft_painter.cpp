// The own aircraft: the fixed symbol with its level-off, selected-heading and drift lines in the heading-up
// modes, and the symbol turned to the heading at its position on the north-up map.
#include "map_painters.h"

namespace corvane::map {

namespace {

void PaintLevelOffMarker(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft) {
  const double altitude = aircraft.altitudeFt;
  const double selected = aircraft.apAltitudeFt;
  const double verticalSpeed = aircraft.apVerticalSpeedFpm;
  const bool climbing = selected > altitude && verticalSpeed > 300;
  const bool descending = selected < altitude && verticalSpeed < -300;
  if (altitude <= 100 || aircraft.groundSpeedKt <= 50 || !(climbing || descending)) return;
  const std::int32_t nmPerMin = aircraft.groundSpeedKt / 60;
  const double distanceNm = (selected - altitude) / verticalSpeed * nmPerMin;
  const int y = TruncToInt(view.originY - distanceNm / view.rangeNm * view.radiusPx);
  SetFontColor(canvas, kLime);
  canvas.TextOut(TruncToInt(view.width * 0.5) - 20, y - 10, "AP----" + DecimalText(aircraft.apAltitudeFt));
}

// A lost simulator leaves the aircraft where it was last seen, greyed so that nobody takes it for live.
Color LiveOr(Color live, const OwnAircraft& aircraft) { return aircraft.stale ? kGrey : live; }

void PaintFixedSymbol(Canvas& canvas, int cx, int y0, Color pen) {
  canvas.SetPenColor(pen);
  Line(canvas, cx, y0 - 5, cx, y0 + 15);
  Line(canvas, cx - 15, y0, cx + 15, y0);
  Line(canvas, cx - 5, y0 + 15, cx + 5, y0 + 15);
}

void PaintHeadingUp(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft) {
  const int cx = view.width / 2;
  const int y0 = view.originY;
  const double r = view.radiusPx;
  PaintLevelOffMarker(canvas, view, aircraft);

  int selected = TruncToInt(double(aircraft.apHeadingDeg) - aircraft.headingDegTrue + aircraft.magneticVariationDeg);
  if (selected < 0) selected += 360;
  canvas.SetPenColor(LiveOr(kRed, aircraft));
  Line(canvas, cx, y0, TruncToInt(cx + SinDeg(selected) * r), TruncToInt(y0 - CosDeg(selected) * r));

  const double drift = DriftDeg(aircraft);
  canvas.SetPenColor(LiveOr(kWhite, aircraft));
  Line(canvas, cx, y0, TruncToInt(cx + SinDeg(drift) * r), TruncToInt(y0 - CosDeg(drift) * r));

  SetFontColor(canvas, kYellow);
  if (aircraft.connected) {
    const int size = canvas.CurrentFont().size;
    SetFontSize(canvas, size + 4);
    SetFontBold(canvas, true);
    canvas.TextOut(cx - 10, 30, ThreeDigitText(MagneticHeading(aircraft)));
    SetFontSize(canvas, size);
    SetFontBold(canvas, false);
  }
  PaintFixedSymbol(canvas, cx, y0, LiveOr(kWhite, aircraft));
}

void PaintNorthUp(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft) {
  canvas.SetPenColor(LiveOr(kWhite, aircraft));
  const ScreenPoint p = ProjectToScreen(view, aircraft.latitude, aircraft.longitude);
  if (!OnScreen(view, p)) return;
  PaintAircraftSymbol(canvas, p.x, p.y, aircraft.headingDegTrue);
}

}  // namespace

double DriftDeg(const OwnAircraft& aircraft) {
  if (aircraft.groundSpeedKt <= 50) return 0;
  std::int32_t w = TruncToInt(double(aircraft.windDirectionDegTrue) - aircraft.headingDegTrue);
  w = w > 180 ? 180 - (w - 180) : -w;
  if (w > 90) w = 180 - w;
  if (w < -90) w = -180 - w;
  return double(aircraft.windSpeedKt) / aircraft.groundSpeedKt * w * 0.7;
}

void PaintAircraftSymbol(Canvas& canvas, int x0, int y0, float headingDegTrue) {
  const double s = SinDeg(headingDegTrue);
  const double c = CosDeg(headingDegTrue);
  const double x = x0;
  const double y = y0;
  Line(canvas, TruncToInt(x + 5 * s), TruncToInt(y - 5 * c), TruncToInt(x - 15 * s), TruncToInt(y + 15 * c));
  Line(canvas, TruncToInt(x - 15 * c), TruncToInt(y - 15 * s), TruncToInt(x + 15 * c), TruncToInt(y + 15 * s));
  Line(canvas, TruncToInt(x - 15 * s - 5 * c), TruncToInt(y + 15 * c - 5 * s), TruncToInt(x - 15 * s + 5 * c),
       TruncToInt(y + 15 * c + 5 * s));
}

void PaintOwnAircraft(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft) {
  if (view.mode == MapMode::kMap) {
    PaintNorthUp(canvas, view, aircraft);
  } else {
    PaintHeadingUp(canvas, view, aircraft);
  }
}

}  // namespace corvane::map
