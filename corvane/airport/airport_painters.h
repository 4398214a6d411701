// The airport view's own painters; the route, traffic, symbol, status texts and wind arrow come from
// the map's painters with this view's projection.
#pragma once

#include <span>
#include <string_view>

#include "corvane/airport/airport_frame.h"
#include "corvane/airport/airport_view.h"
#include "corvane/map/canvas.h"
#include "corvane/map/frame_inputs.h"
#include "corvane/map/layer_toggles.h"
#include "corvane/map/map_colours.h"

namespace corvane::airport {

inline constexpr map::Color kCentreLineGrey = 0x505050;  // (80, 80, 80)
// 10 nm of latitude in degrees: the extended centre lines and the localizer courses.
inline constexpr double kTenNmDeg = 0.166367628226;

// Taxiway pieces in grey, then runways and helipads in yellow over them, each runway with its
// extended centre line.
void PaintPavement(map::Canvas& canvas, const AirportViewGeometry& view, std::span<const LayoutItem> items);
void PaintLayoutLabels(map::Canvas& canvas, const AirportViewGeometry& view, std::span<const LayoutItem> items);
// NDBs and VORs when their layers are on; localizers with their approach course always.
void PaintAirportBeacons(map::Canvas& canvas, const AirportViewGeometry& view, std::span<const NearBeacon> beacons,
                         const map::LayerToggles& toggles, const map::MapColours& colours);
void PaintAirportFixes(map::Canvas& canvas, const AirportViewGeometry& view, std::span<const NearFix> fixes,
                       map::Color color);
void PaintProcedurePreview(map::Canvas& canvas, const AirportViewGeometry& view, const ProcedurePreview& preview,
                           map::Color color, int windowWidth, int windowHeight);
// The selected-heading and drift lines, the symbol, and the descent marker where the descent ends.
void PaintAirportAircraft(map::Canvas& canvas, const AirportViewGeometry& view, const map::OwnAircraft& aircraft);
// The airport's ident and "Alt <elevation> ft" under the corner texts.
void PaintAirportTitle(map::Canvas& canvas, std::string_view ident, std::string_view elevationText, int windowWidth);

}  // namespace corvane::airport
