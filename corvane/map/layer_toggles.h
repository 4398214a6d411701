// What the map shows: the layer switches behind the PanDisplay buttons.
#pragma once

namespace corvane::map {

struct LayerToggles {
  bool airports = true;
  bool vor = false;
  bool ndb = false;
  bool fixes = false;
  bool rangeRings = true;
  bool labels = true;
  bool ownAircraftShown = true;
  int geoMode = 1;      // 0 off, 1 layer 1 only, 2 all layers
  int trafficMode = 0;  // 0 off, 1 symbols, 2 symbols and callsigns
  int airwayMode = 0;   // 0 off, 1 high, 2 all, 3 low
};

}  // namespace corvane::map
