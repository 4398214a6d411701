// The autopilot's writes through the simulator link.
#include "corvane/autopilot/autopilot_commands.h"

#include "corvane/simlink/sim_commands.h"

namespace corvane::autopilot {

std::string SimLinkAutopilotCommands::SendApHeading(double headingDeg) {
  return simlink::SendApHeading(link_, headingDeg);
}

std::string SimLinkAutopilotCommands::SendHoldHeading(double headingDeg) {
  return simlink::SendHoldHeading(link_, headingDeg);
}

std::string SimLinkAutopilotCommands::SendApAltitude(std::int32_t altitudeFt) {
  return simlink::SendApAltitude(link_, altitudeFt);
}

std::string SimLinkAutopilotCommands::SendApVerticalSpeed(std::int32_t verticalSpeedFpm) {
  return simlink::SendApVerticalSpeed(link_, verticalSpeedFpm);
}

std::string SimLinkAutopilotCommands::SendVerticalSpeedHoldOn() { return simlink::SendVsHoldOn(link_); }

std::string SimLinkAutopilotCommands::SendApAirspeed(std::int32_t airspeedKt) {
  return simlink::SendApAirspeed(link_, airspeedKt);
}

std::string SimLinkAutopilotCommands::SendSpoilers(std::int32_t knotsOverTarget) {
  return simlink::SendSpoilers(link_, knotsOverTarget);
}

}  // namespace corvane::autopilot
