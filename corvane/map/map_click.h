// Which action a mouse-up on the map reaches, by button, map mode and autopilot state.
#pragma once

#include <string>

#include "map_view.h"

namespace corvane::map {

enum class MouseButton { kLeft, kRight, kMiddle };

enum class MapClickAction {
  kNone,
  kRecentre,        // north-up left click
  kTuneRadio,       // left click in the heading-up modes
  kAddWaypoint,     // right click, north-up, autopilot off
  kDeleteWaypoint,  // middle click, north-up, autopilot off
  kFlyDirectTo,     // right click, autopilot on
  kHoldAt,          // middle click, autopilot on
};

MapClickAction MapClickActionFor(MouseButton button, MapMode mode, bool autopilotOn);

// Whether the status line shows the map centre after the action.
inline bool ShowsCentreAfter(MapClickAction action) {
  return action != MapClickAction::kNone && action != MapClickAction::kTuneRadio;
}

// "Latitude = 52.3  -  Longtitude = 4.76", the numbers in the shortest general form.
std::string CentreStatusText(const GeoPos& centre);

// Up to 15 significant digits, trailing zeros dropped, always with ".".
std::string FormatGeneral(double value);

}  // namespace corvane::map
