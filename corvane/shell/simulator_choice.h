// The programs' --sim choice: none, a running stand-in over the platform transport, or built in.
// Not part of the shell library: the built-in choice brings the stand-in's model into the program.
#pragma once

#include <optional>
#include <string_view>

#include "corvane/shell/simulator_connection.h"
#include "standin/flight_model.h"

namespace corvane::shell {

// "none", "simhost" or "builtin"; nothing for any other name.
std::optional<SimulatorConnection> MakeSimulatorConnection(std::string_view kind);

// The stand-in's flight model in this process, started as the options say, flying on the form's clock.
SimulatorConnection MakeBuiltInSimulator(const standin::FlightModelOptions& options);

}  // namespace corvane::shell
