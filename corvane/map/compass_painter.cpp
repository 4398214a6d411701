// The compass arc or rose of the heading-up modes and the range rings of every mode, with their numbers.
#include "map_painters.h"

#include "map_click.h"

namespace corvane::map {

namespace {

void PaintHeadingUpRings(Canvas& canvas, const MapView& view, const MapColours& colours) {
  SetFontColor(canvas, colours.rangeRings);
  canvas.SetPenColor(colours.rangeRings);
  const int cx = view.width / 2;
  const int halfRadius = view.radiusPx / 2;
  PolylineCircle(canvas, cx, view.originY, halfRadius, 10);
  const int labelX = TruncToInt(view.width * 0.5 + 10);
  canvas.TextOut(labelX, view.originY - view.radiusPx - 5, DecimalText(view.rangeNm));
  canvas.TextOut(labelX, view.originY - halfRadius - 5, DecimalText(view.rangeNm / 2));
}

void PaintNorthUpRings(Canvas& canvas, const MapView& view, const MapColours& colours) {
  SetFontColor(canvas, colours.rangeRings);
  canvas.SetPenColor(colours.rangeRings);
  const int cx = view.width / 2;
  const int r = view.radiusPx;
  const int y0 = view.originY;
  PolylineCircle(canvas, cx, y0, r * 1.5, 10);
  PolylineCircle(canvas, cx, y0, r, 10);
  PolylineCircle(canvas, cx, y0, r / 2, 10);
  const std::string full = DecimalText(view.rangeNm);
  const std::string half = DecimalText(view.rangeNm / 2);
  const std::string oneAndHalf = FormatGeneral(view.rangeNm * 1.5);
  const int topX = TruncToInt(view.width * 0.5);
  canvas.TextOut(topX, y0 - r - 5, full);
  canvas.TextOut(topX, y0 - r / 2 - 5, half);
  canvas.TextOut(cx + r - 10, y0 - 5, full);
  canvas.TextOut(cx + r / 2 - 10, y0 - 5, half);
  canvas.TextOut(cx + r + r / 2 - 10, y0 - 5, oneAndHalf);
  canvas.TextOut(cx - r - 10, y0 - 5, full);
  canvas.TextOut(cx - r / 2 - 10, y0 - 5, half);
  canvas.TextOut(cx - r - r / 2 - 10, y0 - 5, oneAndHalf);
}

}  // namespace

std::int32_t MagneticHeading(const OwnAircraft& aircraft) {
  std::int32_t heading = TruncToInt(double(aircraft.headingDegTrue) - aircraft.magneticVariationDeg + 0.5);
  if (heading < 0) heading += 360;
  return heading;
}

void PaintCompass(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft, bool rangeRings,
                  const MapColours& colours) {
  if (view.mode == MapMode::kMap) {
    if (rangeRings) PaintNorthUpRings(canvas, view, colours);
    return;
  }
  SetFontColor(canvas, colours.compassNumbers);
  canvas.SetPenColor(colours.rangeRings);
  const double centreX = view.width * 0.5;
  const double r = view.radiusPx;
  const int y0 = view.originY;
  if (view.mode == MapMode::kArc) {
    PolylineCircle(canvas, centreX, y0, r, 5);
    canvas.LineTo(TruncToInt(centreX), y0 - view.radiusPx);
  }
  const std::int32_t heading = MagneticHeading(aircraft);
  for (int i = 0; i <= 35; ++i) {
    int a = i * 10 - heading;
    if (a < 0) a += 360;
    if (a > 360) a -= 360;
    if (view.mode == MapMode::kArc || i % 3 == 0) {
      canvas.TextOut(TruncToInt(SinDeg(a) * (r + 13) + centreX - 8), TruncToInt(y0 - 6 - CosDeg(a) * (r + 10)),
                     DecimalText(i * 10));
    }
    Line(canvas, TruncToInt(SinDeg(a) * r + centreX), TruncToInt(y0 - CosDeg(a) * r),
         TruncToInt(SinDeg(a) * r * 0.97 + centreX), TruncToInt(y0 - CosDeg(a) * r * 0.97));
  }
  if (rangeRings) PaintHeadingUpRings(canvas, view, colours);
}

}  // namespace corvane::map
