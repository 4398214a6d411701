// The click dispatch table of the map and the status text that follows a click.
#include "map_click.h"

#include <charconv>

namespace corvane::map {

MapClickAction MapClickActionFor(MouseButton button, MapMode mode, bool autopilotOn) {
  const bool northUp = mode == MapMode::kMap;
  switch (button) {
    case MouseButton::kLeft: return northUp ? MapClickAction::kRecentre : MapClickAction::kTuneRadio;
    case MouseButton::kRight:
      if (autopilotOn) return MapClickAction::kFlyDirectTo;
      return northUp ? MapClickAction::kAddWaypoint : MapClickAction::kNone;
    case MouseButton::kMiddle:
      if (autopilotOn) return MapClickAction::kHoldAt;
      return northUp ? MapClickAction::kDeleteWaypoint : MapClickAction::kNone;
  }
  return MapClickAction::kNone;
}

std::string FormatGeneral(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

std::string CentreStatusText(const GeoPos& centre) {
  return "Latitude = " + FormatGeneral(centre.latitude) + "  -  Longtitude = " + FormatGeneral(centre.longitude);
}

}  // namespace corvane::map
