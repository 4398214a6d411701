// The map's painters, one per layer: each draws plain data through the projection and never looks anything up.
#pragma once

#include <functional>
#include <limits>
#include <span>

#include "canvas.h"
#include "frame_inputs.h"
#include "layer_toggles.h"
#include "map_colours.h"
#include "map_view.h"
#include "nearby_lists.h"
#include "paint_support.h"

namespace corvane::map {

// A position to a pixel, for the painters the map shares with the airport view; distNm is the distance
// from the view's centre.
using PointProjection = std::function<ScreenPoint(double latitude, double longitude)>;

// World layers.
void PaintGeoLines(Canvas& canvas, const MapView& view, const NearbyGeoList& geo, int geoMode,
                   const MapColours& colours);
void PaintAirways(Canvas& canvas, const MapView& view, const NearbyAirwayList& airways, int airwayMode, bool labels,
                  const MapColours& colours);
void PaintRunways(Canvas& canvas, const MapView& view, const NearbyRunwayList& runways, bool labels);
void PaintPoints(Canvas& canvas, const MapView& view, const NearbyPointList& points, const LayerToggles& toggles,
                 const MapColours& colours);
void PaintRoute(Canvas& canvas, const MapView& view, std::span<const RouteWaypoint> route, Color routeColor);
void PaintRoute(Canvas& canvas, const PointProjection& project, std::span<const RouteWaypoint> route, Color routeColor);
void PaintHoldMarker(Canvas& canvas, const MapView& view, const HoldMarker& hold);
void PaintTraffic(Canvas& canvas, const MapView& view, std::span<const TrafficMark> traffic, int trafficMode,
                  double ownAltitudeFt);
// Marks nearer than maxDistNm to the centre (the map's range test; none for the airport view).
void PaintTraffic(Canvas& canvas, const PointProjection& project, std::span<const TrafficMark> traffic, int trafficMode,
                  double ownAltitudeFt, float maxDistNm = std::numeric_limits<float>::infinity());
void PaintAirwayPoints(Canvas& canvas, const MapView& view, std::span<const AirwayPoint> points);

// Overlays.
void PaintCompass(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft, bool rangeRings,
                  const MapColours& colours);
void PaintOwnAircraft(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft);
// The corner texts' column stands this far, plus five font sizes, left of the window's right edge.
inline constexpr int kCornerTextsRightOffsetPx = 85;
// The airport view shows no autopilot text while holding (holdStateShown false).
void PaintStatusTexts(Canvas& canvas, const OwnAircraft& aircraft, const AutopilotStatus& autopilot,
                      std::int32_t windowWidth, std::int32_t windowHeight, bool holdStateShown = true);
void PaintWindArrow(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft);
// The wind arrow in the top-left corner pointing along angleDeg, its head lines headSpreadDeg to each side.
void PaintWindArrowAt(Canvas& canvas, int angleDeg, int headSpreadDeg);

// The aircraft symbol at (x, y), its nose along the true heading, as on the north-up map.
void PaintAircraftSymbol(Canvas& canvas, int x, int y, float headingDegTrue);
// The drift angle the drift line shows, from the wind across the heading; 0 at 50 kt or less.
double DriftDeg(const OwnAircraft& aircraft);

// Magnetic heading in whole degrees, 0..360 (359.7 true with no variation reads 360).
std::int32_t MagneticHeading(const OwnAircraft& aircraft);

}  // namespace corvane::map
