// Captions, bold and colours of the layer and mode buttons, and the display reset.
#include "display_buttons.h"

namespace corvane::map {

ButtonLook ToggleLook(const std::string& caption, bool on) {
  return on ? ButtonLook{caption, true, kButtonGreen} : ButtonLook{caption, false, kDefaultFontColor};
}

ButtonLook ThreeStateLook(const std::string& caption, int mode) {
  switch (mode) {
    case 1: return {caption, true, kButtonBlue};
    case 2: return {caption, true, kButtonGreen};
    default: return {caption, false, kDefaultFontColor};
  }
}

ButtonLook AirwayLook(int airwayMode, const MapColours& colours) {
  switch (airwayMode) {
    case 1: return {"AWH", true, colours.airwayHigh};
    case 2: return {"AWB", true, colours.airwayBoth};
    case 3: return {"AWL", true, colours.airwayLow};
    default: return {"AWY", false, kDefaultFontColor};
  }
}

ButtonLook MapModeLook(MapMode mode) {
  switch (mode) {
    case MapMode::kArc: return {"ARC", true, kButtonBlue};
    case MapMode::kRose: return {"ROS", true, kButtonGreen};
    case MapMode::kMap: break;
  }
  return {"MAP", false, kDefaultFontColor};
}

std::string HideButtonCaption(bool ownAircraftShown) { return ownAircraftShown ? "Hide" : "Show"; }

void ResetDisplay(LayerToggles& toggles, MapView& view) {
  toggles.airports = true;
  toggles.vor = false;
  toggles.ndb = false;
  toggles.fixes = false;
  toggles.rangeRings = true;
  toggles.geoMode = 1;
  toggles.labels = true;
  toggles.airwayMode = 0;
  view.mode = MapMode::kMap;
}

}  // namespace corvane::map
