// One tick of the autopilot loop (Timer4): search, LNAV with the waypoint switch, VNAV, SPD and the
// speed brakes, or the hold. Every write goes through AutopilotCommands.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "corvane/autopilot/autopilot_buttons.h"
#include "corvane/autopilot/autopilot_commands.h"
#include "corvane/autopilot/autopilot_state.h"
#include "corvane/autopilot/holding.h"
#include "corvane/plan/flight_plan.h"
#include "corvane/simlink/aircraft_state.h"

namespace corvane::autopilot {

// The settings a tick reads, already parsed by the window.
struct TickSettings {
  std::optional<std::int32_t> switchFactor = 100;  // APSwDist; empty when its text is not a whole number
  bool vnavActive = false;                         // chClimb, "VNAV active"
  bool spoilersActive = false;                     // chSpoil, "Spoilers active"
  bool trackLegs = false;                          // chTrackLegs, "Track legs" (leg_tracking.h)
  std::string_view simulatorName;                  // the link's "FlightSim" or "XPlane"
  std::uint32_t timer4IntervalMs = 500;            // the hold times its legs in ticks
  HoldSettings hold;                               // read only in hold mode
};

// Shown on every tick while the waypoint switch factor is not a whole number above 0; no switch happens then.
inline constexpr std::string_view kSwitchFactorFault =
    "WP switch factr. is not a whole number above 0: no waypoint switch";

struct TickOutcome {
  std::string status;  // the last status text of the tick; empty leaves the status line as it is
  bool ended = false;  // the plan has no further waypoint: the autopilot is off and Timer4 stops
  PanelUpdate panel;   // OffPanel() when ended
};

TickOutcome RunAutopilotTick(AutopilotState& state, plan::FlightPlan& plan, const simlink::AircraftState& aircraft,
                             const TickSettings& settings, AutopilotCommands& commands);

}  // namespace corvane::autopilot
