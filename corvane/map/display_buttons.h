// The PanDisplay buttons: what each click changes and how each button then looks.
#pragma once

#include <string>

#include "canvas.h"
#include "layer_toggles.h"
#include "map_colours.h"
#include "map_view.h"

namespace corvane::map {

struct ButtonLook {
  std::string caption;
  bool bold = false;
  Color fontColor = kDefaultFontColor;
  bool operator==(const ButtonLook&) const = default;
};

// On/off buttons (ARP, VOR, NDB, FIX, INF, RR): on is bold green.
ButtonLook ToggleLook(const std::string& caption, bool on);
// TCS and GEO: 0 plain, 1 bold blue, 2 bold green.
ButtonLook ThreeStateLook(const std::string& caption, int mode);
// AWY, AWH, AWB, AWL, the last three bold in their airway colour.
ButtonLook AirwayLook(int airwayMode, const MapColours& colours);
// ARC bold blue, ROS bold green, MAP plain.
ButtonLook MapModeLook(MapMode mode);
// "Hide" while the symbol is shown, "Show" while hidden.
std::string HideButtonCaption(bool ownAircraftShown);

inline int NextThreeStateMode(int mode) { return mode >= 2 ? 0 : mode + 1; }
inline int NextAirwayMode(int mode) { return mode >= 3 ? 0 : mode + 1; }

// The display reset: airports, rings and labels on, VOR, NDB and fixes off, geo mode 1, airways off,
// north-up. Traffic, the follow flag and the AWY and MAP captions are left as they are.
void ResetDisplay(LayerToggles& toggles, MapView& view);

inline constexpr int kMinTextSize = 6;
inline constexpr int kMaxTextSize = 20;
inline int TextSizeUp(int size) { return size + 1 > kMaxTextSize ? kMaxTextSize : size + 1; }
inline int TextSizeDown(int size) { return size - 1 < kMinTextSize ? kMinTextSize : size - 1; }

}  // namespace corvane::map
