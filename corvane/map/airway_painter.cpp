// Airways by level, with their names at the middle of each segment.
#include "map_painters.h"

namespace corvane::map {

namespace {

Color AirwayColor(std::int32_t level, const MapColours& colours) {
  switch (level) {
    case 1: return colours.airwayHigh;
    case 3: return colours.airwayLow;
    default: return colours.airwayBoth;
  }
}

}  // namespace

void PaintAirways(Canvas& canvas, const MapView& view, const NearbyAirwayList& airways, int airwayMode, bool labels,
                  const MapColours& colours) {
  const Projector project(view);
  for (std::size_t i = 0; !IsEndRow(airways[i]); ++i) {
    const NearbyAirway& airway = airways[i];
    if (airway.level != airwayMode && airway.level != 2 && airwayMode != 2) continue;
    const Color color = AirwayColor(airway.level, colours);
    canvas.SetPenColor(color);
    SetFontColor(canvas, color);
    const ScreenPoint from = project(airway.fromLatitude, airway.fromLongitude);
    const ScreenPoint to = project(airway.toLatitude, airway.toLongitude);
    canvas.MoveTo(from.x, from.y);
    canvas.LineTo(to.x, to.y);
    if (labels) canvas.TextOut((from.x + to.x) / 2, (from.y + to.y) / 2, airway.airwayName);
  }
}

}  // namespace corvane::map
