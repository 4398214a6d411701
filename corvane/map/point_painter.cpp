// Airports, heliports, VORs, NDBs, ILS localizers and fixes: a text symbol each, within range and on screen.
#include "corvane/map/localizer_course.h"
#include "map_painters.h"

namespace corvane::map {

namespace {

// The localizer: a 15 nm line on the approach side, from the course and variation in the ILS text.
void PaintLocalizer(Canvas& canvas, const MapView& view, const ScreenPoint& p, const std::string& frequencyText) {
  const std::optional<LocalizerCourse> course = ReadLocalizerCourse(frequencyText);
  if (!course) return;
  double angle = course->courseDegMagnetic - 180 - course->variationDeg;
  if (angle < 0) angle += 360;
  const double lengthPx = 15.0 / view.rangeNm * view.radiusPx;
  canvas.SetPenColor(kGrey);
  Line(canvas, p.x, p.y, TruncToInt(p.x + lengthPx * SinDeg(angle)), TruncToInt(p.y - lengthPx * CosDeg(angle)));
  canvas.SetPenColor(kYellow);
}

}  // namespace

// Navaids and fixes first, airports and heliports over them, so that no beacon's label box hides an
// airport's name.
void PaintPoints(Canvas& canvas, const MapView& view, const NearbyPointList& points, const LayerToggles& toggles,
                 const MapColours& colours) {
  const bool northUp = view.mode == MapMode::kMap;
  std::string text;
  const Projector project(view);
  for (const bool airportPass : {false, true}) {
    for (std::size_t i = 0; !IsEndRow(points[i]); ++i) {
      const NearbyPoint& point = points[i];
      const bool airportKind = point.kind == kPointAirport || point.kind == kPointHeliport;
      if (airportKind != airportPass) continue;
      const ScreenPoint p = project(point.latitude, point.longitude);
      if (!InRange(view, p.distNm) || !OnScreen(view, p)) continue;
      switch (point.kind) {
        case kPointAirport:
          if (!toggles.airports) break;
          SetFontColor(canvas, colours.airport);
          canvas.TextOut(p.x, p.y + 10, "# " + point.ident);
          break;
        case kPointHeliport:
          if (!toggles.airports || !toggles.labels) break;
          SetFontColor(canvas, colours.airport);
          canvas.TextOut(p.x, p.y + 10, "H");
          break;
        case kPointVor:
          if (!toggles.vor) break;
          SetFontColor(canvas, colours.vor);
          text = "o " + point.ident;
          if (toggles.labels) text += " (" + point.info1 + " " + point.info2 + ")";
          canvas.TextOut(p.x, p.y, text);
          break;
        case kPointNdb:
          if (!toggles.ndb) break;
          SetFontColor(canvas, colours.ndb);
          text = "+ " + point.ident;
          if (toggles.labels) text += " (" + point.info1 + ")";
          canvas.TextOut(p.x, p.y, text);
          break;
        case kPointIls:
          if (!northUp || !toggles.airports || !toggles.labels) break;
          SetFontColor(canvas, kYellow);
          canvas.TextOut(p.x, p.y, point.ident + " (" + point.info1 + ")");
          PaintLocalizer(canvas, view, p, point.info1);
          break;
        case kPointFix:
          if (!toggles.fixes) break;
          SetFontColor(canvas, colours.fix);
          canvas.TextOut(p.x, p.y, "^ " + point.ident);
          break;
        default: break;
      }
    }
  }
}

}  // namespace corvane::map
