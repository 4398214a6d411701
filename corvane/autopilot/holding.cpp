// The hold's four phases.
#include "corvane/autopilot/holding.h"

#include <cmath>

#include "corvane/autopilot/autopilot_writes.h"
#include "corvane/autopilot/waypoint_geometry.h"
#include "corvane/map/map_colours.h"

namespace corvane::autopilot {
namespace {

constexpr double kFixReachedNm = 2.0;
constexpr std::int32_t kTurnDoneDeg = 30;

// Into 0 … 360 (360 itself stays, as a target of exactly 360 is a valid heading).
std::int32_t Wrap(std::int64_t degrees) {
  if (degrees >= 0 && degrees <= 360) return static_cast<std::int32_t>(degrees);
  degrees %= 360;
  if (degrees < 0) degrees += 360;
  return static_cast<std::int32_t>(degrees);
}

// How far the turn still has to go in its own direction; past the target it counts as nearly a circle.
bool TurnDone(std::int32_t targetDeg, double headingDeg, bool rightTurns) {
  const double remaining = rightTurns ? targetDeg - headingDeg : headingDeg - targetDeg;
  auto degrees = static_cast<std::int32_t>(std::trunc(remaining));
  if (degrees < 0) degrees += 360;
  return degrees < kTurnDoneDeg;
}

}  // namespace

PanelUpdate StartHold(AutopilotState& state, const plan::DirectTarget& fix) {
  state.AutopilotMode = kModeHold;
  state.hold.fix = fix;
  state.hold.phase = kHoldToFix;
  state.hold.legTicks = 0;
  state.written = {};
  PanelUpdate update;
  update.ln.look = map::ButtonLook{"Hd", true, map::kButtonGreen};
  update.timer4 = TimerAction::kStart;
  return update;
}

std::int64_t TicksPerMinute(std::uint32_t timer4IntervalMs) {
  return 60000 / static_cast<std::int64_t>(timer4IntervalMs == 0 ? 1 : timer4IntervalMs);
}

std::int32_t PatternHeadingDeg(std::int32_t phase, std::int32_t inboundHeadingDeg, bool rightTurns) {
  std::int64_t offset = 0;
  if (phase == kHoldTurnOutbound) offset = 170;
  if (phase == kHoldOutboundLeg) offset = 180;
  if (phase == kHoldTurnInbound) offset = 350;
  return Wrap(std::int64_t{inboundHeadingDeg} + (rightTurns ? offset : -offset));
}

std::string RunHoldTick(AutopilotState& state, const simlink::AircraftState& aircraft, const HoldSettings& settings,
                        std::uint32_t timer4IntervalMs, AutopilotCommands& commands) {
  std::string status;
  HoldState& hold = state.hold;
  // The pattern's targets are magnetic, as the inbound heading is: the aircraft's heading is taken so too.
  double heading = std::fmod(aircraft.headingDegTrue - static_cast<double>(aircraft.magneticVariationDeg), 360.0);
  if (heading < 0) heading += 360;
  std::int32_t target = 0;
  switch (hold.phase) {
    case kHoldToFix: {
      const WaypointGeometry geometry =
          GeometryTo(aircraft.latitude, aircraft.longitude, aircraft.headingDegTrue, hold.fix.lat, hold.fix.lon);
      state.distanceNm = static_cast<float>(geometry.distanceNm);
      state.distanceShownNm = static_cast<std::int32_t>(state.distanceNm);
      state.bearingDeg = geometry.bearingDeg;
      state.relativeBearingDeg = geometry.relativeBearingDeg;
      target = static_cast<std::int32_t>(std::trunc(geometry.bearingDeg - aircraft.magneticVariationDeg));
      if (state.distanceNm < kFixReachedNm) hold.phase = kHoldTurnOutbound;
      break;
    }
    case kHoldTurnOutbound:
      if (settings.speedKt != aircraft.apAirspeedKt) status = commands.SendApAirspeed(settings.speedKt);
      target = PatternHeadingDeg(hold.phase, settings.inboundHeadingDeg, settings.rightTurns);
      hold.legTicks = 0;
      if (TurnDone(target, heading, settings.rightTurns)) hold.phase = kHoldOutboundLeg;
      break;
    case kHoldOutboundLeg:
      target = PatternHeadingDeg(hold.phase, settings.inboundHeadingDeg, settings.rightTurns);
      ++hold.legTicks;
      if (settings.legMinutes * TicksPerMinute(timer4IntervalMs) < hold.legTicks) hold.phase = kHoldTurnInbound;
      break;
    case kHoldTurnInbound:
      target = PatternHeadingDeg(hold.phase, settings.inboundHeadingDeg, settings.rightTurns);
      if (TurnDone(target, heading, settings.rightTurns)) hold.phase = kHoldToFix;
      break;
    default: return status;  // not holding
  }
  const double steered =
      WindCorrectedHeading(target, aircraft.groundSpeedKt, aircraft.windSpeedKt, aircraft.windDirectionDegTrue);
  state.targetHeadingDeg = static_cast<float>(steered);
  if (HeadingWriteNeeded(state.targetHeadingDeg - heading, state.targetHeadingDeg, aircraft.apHeadingDeg,
                         state.written)) {
    status = commands.SendHoldHeading(state.targetHeadingDeg);
    RememberWrite(state.written.headingDeg, HeadingReadBackDeg(state.targetHeadingDeg), status);
  }
  return status;
}

}  // namespace corvane::autopilot
