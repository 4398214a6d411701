// The map layers that plan editing switches once the arrival is set and after a plan is loaded.
#pragma once

#include <cstdint>

#include "corvane/map/layer_toggles.h"

namespace corvane::plan {

// Once the arrival is set, en-route points become pickable: beacons and fixes on; above 10000 ft
// cruise also airports off and high airways on when airways were off. The editing defaults
// themselves are the display reset of the map (map::ResetDisplay).
map::LayerToggles LayersForEnRoutePicking(map::LayerToggles layers, std::int32_t arrivalAltitudeFt);

// After LOAD: points off so that the loaded route stands out; the airway mode advances once unless off.
map::LayerToggles LayersAfterLoad(map::LayerToggles layers);

}  // namespace corvane::plan
