// Beacons and fixes of the box around the airport: a text each, and the localizers' approach courses.
#include "corvane/airport/airport_painters.h"
#include "corvane/map/localizer_course.h"
#include "corvane/map/paint_support.h"

namespace corvane::airport {
namespace {

// The approach side of the localizer: 10 nm from the antenna against the course (true).
void PaintLocalizerCourse(map::Canvas& canvas, const AirportViewGeometry& view, const map::ScreenPoint& p,
                          std::string_view frequencyText) {
  const std::optional<map::LocalizerCourse> course = map::ReadLocalizerCourse(frequencyText);
  if (!course) return;
  const double a = course->courseDegMagnetic - course->variationDeg;
  const double lengthPx = kTenNmDeg * view.pxPerDeg;
  map::Line(canvas, p.x, p.y, map::TruncToInt(p.x - lengthPx * map::SinDeg(a)),
            map::TruncToInt(p.y + lengthPx * map::CosDeg(a)));
}

}  // namespace

void PaintAirportBeacons(map::Canvas& canvas, const AirportViewGeometry& view, std::span<const NearBeacon> beacons,
                         const map::LayerToggles& toggles, const map::MapColours& colours) {
  for (const NearBeacon& beacon : beacons) {
    const map::ScreenPoint p = ProjectToAirportView(view, beacon.latitude, beacon.longitude);
    switch (beacon.kind) {
      case navdata::BeaconKind::kNdb:
        if (!toggles.ndb) break;
        map::SetFontColor(canvas, colours.ndb);
        canvas.TextOut(p.x, p.y, ". " + beacon.ident + " (" + beacon.frequencyText + ")");
        break;
      case navdata::BeaconKind::kVor:
        if (!toggles.vor) break;
        map::SetFontColor(canvas, colours.vor);
        canvas.TextOut(p.x, p.y, "O " + beacon.ident + " (" + beacon.frequencyText + " " + beacon.name + ")");
        break;
      case navdata::BeaconKind::kIls:
        canvas.SetPenColor(map::kYellow);
        map::SetFontColor(canvas, map::kYellow);
        PaintLocalizerCourse(canvas, view, p, beacon.frequencyText);
        canvas.TextOut(p.x, p.y, "O " + beacon.ident + " (" + beacon.frequencyText + ")");
        canvas.TextOut(p.x, p.y + 2 * canvas.CurrentFont().size, "   " + beacon.name);
        break;
      default: break;
    }
  }
}

void PaintAirportFixes(map::Canvas& canvas, const AirportViewGeometry& view, std::span<const NearFix> fixes,
                       map::Color color) {
  map::SetFontColor(canvas, color);
  for (const NearFix& fix : fixes) {
    const map::ScreenPoint p = ProjectToAirportView(view, fix.latitude, fix.longitude);
    canvas.TextOut(p.x, p.y, "^ " + fix.ident);
  }
}

}  // namespace corvane::airport
