// corvane-cli fly: a plan flown through the simulator's autopilot, with a report of how well it flew.
#pragma once

#include <span>

namespace corvane::cli {

int RunFlyCommand(std::span<char* const> args);

}  // namespace corvane::cli
