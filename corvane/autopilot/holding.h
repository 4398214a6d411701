// Holding: a racetrack over a fix flown by heading targets alone, one Timer4 tick at a time.
#pragma once

#include <cstdint>
#include <string>

#include "corvane/autopilot/autopilot_buttons.h"
#include "corvane/autopilot/autopilot_commands.h"
#include "corvane/autopilot/autopilot_state.h"
#include "corvane/plan/click_actions.h"
#include "corvane/simlink/aircraft_state.h"

namespace corvane::autopilot {

// PanHLD's fields as whole numbers.
struct HoldSettings {
  std::int32_t inboundHeadingDeg = 358;  // edHldHdg
  bool rightTurns = true;                // rbHldRgt
  std::int32_t speedKt = 220;            // edHldSpd
  std::int32_t legMinutes = 3;           // edHldTm, the outbound leg
};

// "OK" on PanHLD: hold mode at the fix, flown from phase 1. Timer4 is started as well, so that a
// hold asked for while the loop stood still is flown rather than only shown.
PanelUpdate StartHold(AutopilotState& state, const plan::DirectTarget& fix);

// Timer4 ticks in a minute; an interval of 0 counts as 1 ms.
std::int64_t TicksPerMinute(std::uint32_t timer4IntervalMs);

// The whole-degree target of the turn and leg phases (2 to 4) for inbound heading H.
std::int32_t PatternHeadingDeg(std::int32_t phase, std::int32_t inboundHeadingDeg, bool rightTurns);

// One tick in hold mode: the phase's target and progress test, the holding speed in the outbound
// turn, the wind correction and the heading write. Returns the last status text (empty: no write).
std::string RunHoldTick(AutopilotState& state, const simlink::AircraftState& aircraft, const HoldSettings& settings,
                        std::uint32_t timer4IntervalMs, AutopilotCommands& commands);

}  // namespace corvane::autopilot
