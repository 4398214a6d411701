// The airport view's frame: clearing, then the items in their fixed order.
#include "corvane/airport/airport_frame.h"

#include "corvane/airport/airport_painters.h"
#include "corvane/map/map_painters.h"

namespace corvane::airport {
namespace {

void ClearImage(map::Canvas& image, map::Color background) {
  image.SetPenColor(background);
  image.SetBrushColor(background);
  image.Rectangle(0, 0, image.Width(), image.Height());
}

}  // namespace

void DrawAirportFrame(map::Canvas& image, const AirportFrameInputs& in, int paintWidth, int paintHeight) {
  static const AirportLayout kNoLayout;
  const AirportLayout& layout = in.layout != nullptr ? *in.layout : kNoLayout;
  const map::FrameInputs& common = in.common;
  const AirportViewGeometry view = MakeAirportViewGeometry(in.centre, in.zoomDeg, paintWidth, paintHeight);
  const map::PointProjection project = [&view](double latitude, double longitude) {
    return ProjectWithDistance(view, latitude, longitude);
  };

  image.SetFont(common.labelFont);
  ClearImage(image, common.colours.background);
  PaintPavement(image, view, layout.items);
  PaintLayoutLabels(image, view, layout.items);
  PaintAirportBeacons(image, view, in.beacons, common.toggles, common.colours);
  if (common.toggles.fixes) PaintAirportFixes(image, view, in.fixes, common.colours.fix);
  map::PaintRoute(image, project, common.route, common.colours.route);
  if (in.preview != nullptr) {
    PaintProcedurePreview(image, view, *in.preview, common.colours.sid, common.windowWidth, common.windowHeight);
  }
  map::SetFontColor(image, map::kWhite);
  image.SetPenColor(map::kWhite);
  map::SetFontBold(image, true);
  if (common.toggles.trafficMode != 0) {
    map::PaintTraffic(image, project, common.traffic, common.toggles.trafficMode, common.aircraft.altitudeFt);
  }
  map::SetFontBold(image, false);
  if (common.toggles.ownAircraftShown) PaintAirportAircraft(image, view, common.aircraft);
  if (common.aircraft.connected) {
    map::PaintStatusTexts(image, common.aircraft, common.autopilot, common.windowWidth, common.windowHeight,
                          /*holdStateShown=*/false);
    const int windAngle =
        map::TruncToInt(double(common.aircraft.windDirectionDegTrue) - common.aircraft.magneticVariationDeg - 180);
    map::PaintWindArrowAt(image, windAngle, 12);
  }
  PaintAirportTitle(image, in.ident, layout.elevationText, common.windowWidth);
}

}  // namespace corvane::airport
