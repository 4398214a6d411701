// The map's painters, one per layer: each draws plain data through the projection and never looks anything up.
#pragma once

#include <span>

#include "canvas.h"
#include "frame_inputs.h"
#include "layer_toggles.h"
#include "map_colours.h"
#include "map_view.h"
#include "nearby_lists.h"
#include "paint_support.h"

namespace corvane::map {

// World layers.
void PaintGeoLines(Canvas& canvas, const MapView& view, const NearbyGeoList& geo, int geoMode,
                   const MapColours& colours);
void PaintAirways(Canvas& canvas, const MapView& view, const NearbyAirwayList& airways, int airwayMode, bool labels,
                  const MapColours& colours);
void PaintRunways(Canvas& canvas, const MapView& view, const NearbyRunwayList& runways, bool labels);
void PaintPoints(Canvas& canvas, const MapView& view, const NearbyPointList& points, const LayerToggles& toggles,
                 const MapColours& colours);
void PaintRoute(Canvas& canvas, const MapView& view, std::span<const RouteWaypoint> route, Color routeColor);
void PaintHoldMarker(Canvas& canvas, const MapView& view, const HoldMarker& hold);
void PaintTraffic(Canvas& canvas, const MapView& view, std::span<const TrafficMark> traffic, int trafficMode,
                  double ownAltitudeFt);
void PaintAirwayPoints(Canvas& canvas, const MapView& view, std::span<const AirwayPoint> points);

// Overlays.
void PaintCompass(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft, bool rangeRings,
                  const MapColours& colours);
void PaintOwnAircraft(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft);
void PaintStatusTexts(Canvas& canvas, const OwnAircraft& aircraft, const AutopilotStatus& autopilot,
                      std::int32_t windowWidth, std::int32_t windowHeight);
void PaintWindArrow(Canvas& canvas, const MapView& view, const OwnAircraft& aircraft);

// Magnetic heading in whole degrees, 0..360 (359.7 true with no variation reads 360).
std::int32_t MagneticHeading(const OwnAircraft& aircraft);

}  // namespace corvane::map
