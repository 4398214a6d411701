// "Calc Desc": a vertical profile for the lateral plan. Every waypoint gets a target altitude and
// speed from per-nm gradients, and markers are inserted where the climb passes 10000 ft ("FL100") and
// reaches cruise ("*TOC*"), and where the descent leaves cruise ("*TOD*"), passes 12000 ft ("FL120")
// and reaches the approach altitudes ("*IAF*", "*FAF*").
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/map/layer_toggles.h"
#include "corvane/plan/flight_plan.h"

namespace corvane::autopilot {

// PanAPConf's fields as whole numbers; the speeds and gradients default as the settings file does.
struct DescentInputs {
  std::int32_t cruiseAltitudeFt = 33000;    // edCrsAlt
  std::int32_t cruiseSpeedKt = 220;         // edCrsSpd
  std::int32_t descentSpeedKt = 290;        // edDescSpd
  std::int32_t approachSpeedKt = 220;       // edAppSpd
  std::int32_t finalApproachSpeedKt = 160;  // edMinSpd
  std::int32_t climbFtPerNm = 250;          // edClimb
  std::int32_t descentFtPerNm = 200;        // edDesc
};

struct DescentOutcome {
  bool built = false;
  // The cruise altitude the profile was built for. It moves in 2000 ft steps when the approach needs
  // more height or the plan is too short for the climb and descent; edCrsAlt shows it afterwards.
  std::int32_t cruiseAltitudeFt = 0;
  std::vector<std::string> listing;  // the plan's new text (Memo1) when built
  std::string failure;               // why nothing was built; the plan is then as the text gave it
};

// Each retry moves the cruise altitude by 2000 ft; a cruise altitude tried before ends the retries.
inline constexpr int kMostProfilePasses = 32;

// The profile over a parsed plan. The departure and arrival elevations are the info texts of the
// first and the tail entry; one that is not a whole number throws formats::ConversionError before
// the plan changes.
DescentOutcome BuildDescentProfile(plan::FlightPlan& plan, const DescentInputs& inputs);

// btCalcDescClick: the plan text parsed into the plan, then the profile. When built, the window
// lists the plan, shows the adjusted cruise altitude and switches to LayersForProfile.
DescentOutcome CalcDescent(std::span<const std::string> planLines, const DescentInputs& inputs, plan::FlightPlan& plan);

// The layers for looking at a profile: airports and fixes hidden, VOR and NDB shown, range rings and
// information shown, geo mode 1, airways off. The map goes north-up (MapMode::kMap) with them.
map::LayerToggles LayersForProfile(map::LayerToggles layers);

}  // namespace corvane::autopilot
