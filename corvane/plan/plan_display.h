// The map layers that plan editing switches: the editing defaults, after the arrival and after LOAD.
#pragma once

#include <cstdint>

namespace corvane::plan {

// The part of the display switches that plan actions change; traffic, the aircraft symbol and the
// follow flag are never touched by them.
struct PlanLayers {
  bool airports = true;
  bool vor = false;
  bool ndb = false;
  bool fixes = false;
  bool rangeRings = true;
  bool labels = true;
  int geoMode = 1;
  int airwayMode = 0;  // 0 off, 1 high, 2 all, 3 low
  int mapMode = 2;     // 0 arc, 1 rose, 2 north-up map
  bool operator==(const PlanLayers&) const = default;
};

// Advances the airway mode 0 -> 1 -> 2 -> 3 -> 0, as one click on its button does.
int NextAirwayMode(int airwayMode);

// ResetPlanDisplay: airports, rings and labels on; beacons and fixes off; geo mode 1; airways off;
// north-up map.
PlanLayers PlanEditingLayers();

// Once the arrival is set, en-route points become pickable: beacons and fixes on; above 10000 ft
// cruise also airports off and high airways on when airways were off.
PlanLayers LayersForEnRoutePicking(PlanLayers layers, std::int32_t arrivalAltitudeFt);

// After LOAD: points off so that the loaded route stands out; the airway mode advances once unless off.
PlanLayers LayersAfterLoad(PlanLayers layers);

}  // namespace corvane::plan
