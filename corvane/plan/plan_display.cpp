// Layer switches of plan editing.
#include "corvane/plan/plan_display.h"

namespace corvane::plan {

int NextAirwayMode(int airwayMode) { return airwayMode >= 3 ? 0 : airwayMode + 1; }

PlanLayers PlanEditingLayers() { return PlanLayers{}; }

PlanLayers LayersForEnRoutePicking(PlanLayers layers, std::int32_t arrivalAltitudeFt) {
  if (arrivalAltitudeFt > 10000) {
    layers.airports = false;
    if (layers.airwayMode == 0) layers.airwayMode = NextAirwayMode(layers.airwayMode);
  }
  layers.ndb = true;
  layers.fixes = true;
  layers.vor = true;
  return layers;
}

PlanLayers LayersAfterLoad(PlanLayers layers) {
  layers.airports = false;
  layers.ndb = false;
  layers.fixes = false;
  layers.vor = false;
  if (layers.airwayMode != 0) layers.airwayMode = NextAirwayMode(layers.airwayMode);
  return layers;
}

}  // namespace corvane::plan
