// The map-click commands sent through the simulator link.
#include "corvane/plan/simulator_commands.h"

#include "corvane/simlink/sim_commands.h"

namespace corvane::plan {

std::string SimLinkCommands::SendApHeading(double headingDeg) { return simlink::SendApHeading(link_, headingDeg); }

std::string SimLinkCommands::TuneNdb(std::string_view ident, std::string_view frequencyText) {
  return simlink::TuneNdb(link_, ident, frequencyText);
}

std::string SimLinkCommands::TuneVor(std::string_view ident, std::string_view frequencyText, bool toNav2) {
  return simlink::TuneVor(link_, ident, frequencyText, toNav2);
}

std::string SimLinkCommands::TuneIls(std::string_view frequencyText) { return simlink::TuneIls(link_, frequencyText); }

}  // namespace corvane::plan
