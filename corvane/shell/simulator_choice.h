// The programs' --sim choice: none, a running stand-in over the platform transport, or built in.
// Not part of the shell library: the built-in choice brings the stand-in's model into the program.
#pragma once

#include <optional>
#include <string_view>

#include "corvane/shell/simulator_connection.h"

namespace corvane::shell {

// "none", "simhost" or "builtin"; nothing for any other name.
std::optional<SimulatorConnection> MakeSimulatorConnection(std::string_view kind);

}  // namespace corvane::shell
