// Zooming the map range (and the airport view's scale) by mouse wheel and by the plus and minus keys.
#pragma once

#include <cstdint>

#include "map_view.h"

namespace corvane::map {

inline constexpr int kKeyZoomIn = 0xBB;   // plus/equals key
inline constexpr int kKeyZoomOut = 0xBD;  // minus key

// What the window is doing when a zoom event arrives.
struct ZoomContext {
  bool flightPlanPanelVisible = false;  // PanFP shown: zoom events are ignored
  bool airportViewRunning = false;      // Timer3 enabled: the airport view's scale changes instead
};

std::int32_t ClampRangeNm(std::int64_t rangeNm);

// One wheel event; only one in three acts. Wheel towards the user (delta < 0) zooms out.
void MouseWheelZoom(MapView& view, float& airportViewZoom, int wheelDelta, const ZoomContext& context);

// A key press; returns false for keys that are not zoom keys.
bool KeyZoom(MapView& view, float& airportViewZoom, int virtualKey, const ZoomContext& context);

}  // namespace corvane::map
