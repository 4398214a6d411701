// Wheel and key zoom: the map range within 2..1280 nm, or the airport view's scale while it runs.
#include "map_zoom.h"

#include <algorithm>

namespace corvane::map {

namespace {

constexpr float kWheelAirportZoomMin = 0.0001f;
constexpr float kKeyAirportZoomMin = 0.001f;
constexpr float kAirportZoomMax = 2.0f;

}  // namespace

std::int32_t ClampRangeNm(std::int64_t rangeNm) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(rangeNm, kMinRangeNm, kMaxRangeNm));
}

void MouseWheelZoom(MapView& view, float& airportViewZoom, int wheelDelta, const ZoomContext& context) {
  if (context.flightPlanPanelVisible) return;
  const bool acts = view.wheelCounter == 0;
  view.wheelCounter = (view.wheelCounter + 1) % 3;
  if (!acts) return;
  const double range = view.rangeNm;
  if (context.airportViewRunning) {
    airportViewZoom = wheelDelta < 0 ? airportViewZoom * 1.5f : airportViewZoom * 0.75f;
    airportViewZoom = std::clamp(airportViewZoom, kWheelAirportZoomMin, kAirportZoomMax);
  } else if (wheelDelta < 0) {
    view.rangeNm = ClampRangeNm(static_cast<std::int64_t>(range + range * 0.05 * 10));
  } else {
    view.rangeNm = ClampRangeNm(static_cast<std::int64_t>(range - range * 0.025 * 10));
  }
}

bool KeyZoom(MapView& view, float& airportViewZoom, int virtualKey, const ZoomContext& context) {
  if (virtualKey != kKeyZoomIn && virtualKey != kKeyZoomOut) return false;
  if (context.flightPlanPanelVisible) return true;
  const double factor = virtualKey == kKeyZoomIn ? 0.75 : 1.5;
  if (context.airportViewRunning) {
    airportViewZoom = std::clamp(static_cast<float>(airportViewZoom * factor), kKeyAirportZoomMin, kAirportZoomMax);
  } else {
    view.rangeNm = ClampRangeNm(static_cast<std::int64_t>(view.rangeNm * factor));
  }
  return true;
}

}  // namespace corvane::map
