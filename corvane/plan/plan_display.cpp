// Layer switches of plan editing.
#include "corvane/plan/plan_display.h"

#include "corvane/map/display_buttons.h"

namespace corvane::plan {

map::LayerToggles LayersForEnRoutePicking(map::LayerToggles layers, std::int32_t arrivalAltitudeFt) {
  if (arrivalAltitudeFt > 10000) {
    layers.airports = false;
    if (layers.airwayMode == 0) layers.airwayMode = map::NextAirwayMode(layers.airwayMode);
  }
  layers.ndb = true;
  layers.fixes = true;
  layers.vor = true;
  return layers;
}

map::LayerToggles LayersAfterLoad(map::LayerToggles layers) {
  layers.airports = false;
  layers.ndb = false;
  layers.fixes = false;
  layers.vor = false;
  if (layers.airwayMode != 0) layers.airwayMode = map::NextAirwayMode(layers.airwayMode);
  return layers;
}

}  // namespace corvane::plan
