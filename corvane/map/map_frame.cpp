// The map frame: centring, clearing, geometry, then the layers and overlays in their fixed order.
#include "map_frame.h"

#include "map_painters.h"

namespace corvane::map {

namespace {

// The background fills the image, and stays as the brush behind every text of the frame.
void ClearImage(Canvas& image, Color background) {
  image.SetPenColor(background);
  image.SetBrushColor(background);
  image.Rectangle(0, 0, image.Width(), image.Height());
}

}  // namespace

void DrawMapFrame(Canvas& image, MapView& view, const FrameInputs& in, int paintWidth, int paintHeight) {
  static const NearbyLists kNoLists;
  const NearbyLists& nearby = in.nearby != nullptr ? *in.nearby : kNoLists;
  const LayerToggles& toggles = in.toggles;
  const bool northUp = view.mode == MapMode::kMap;

  FollowAircraft(view, in.aircraft.latitude, in.aircraft.longitude);
  image.SetFont(in.labelFont);
  ClearImage(image, in.colours.background);
  UpdateGeometry(view, paintWidth, paintHeight, in.aircraft.headingDegTrue);

  if (toggles.geoMode != 0) PaintGeoLines(image, view, nearby.geo, toggles.geoMode, in.colours);
  if (toggles.airwayMode != 0)
    PaintAirways(image, view, nearby.airways, toggles.airwayMode, toggles.labels, in.colours);
  if (toggles.airports && northUp) PaintRunways(image, view, nearby.runways, toggles.labels);
  PaintPoints(image, view, nearby.points, toggles, in.colours);
  PaintCompass(image, view, in.aircraft, toggles.rangeRings, in.colours);
  PaintRoute(image, view, in.route, in.colours.route);
  PaintHoldMarker(image, view, in.hold);
  SetFontColor(image, kWhite);
  image.SetPenColor(kWhite);
  SetFontBold(image, true);
  if (toggles.trafficMode != 0) PaintTraffic(image, view, in.traffic, toggles.trafficMode, in.aircraft.altitudeFt);
  SetFontBold(image, false);
  if (toggles.airwayMode != 0 && northUp) PaintAirwayPoints(image, view, in.airwayPoints);
  if (toggles.ownAircraftShown) PaintOwnAircraft(image, view, in.aircraft);
  if (in.aircraft.connected) {
    PaintStatusTexts(image, in.aircraft, in.autopilot, in.windowWidth, in.windowHeight);
    PaintWindArrow(image, view, in.aircraft);
  }
}

void PresentFrame(Canvas& paintBox, const Canvas& image, int paintWidth, int paintHeight) {
  const Rect visible{0, 0, paintWidth, paintHeight};
  paintBox.CopyRect(visible, image, visible);
}

}  // namespace corvane::map
