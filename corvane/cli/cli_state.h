// corvane-cli state: one polling tick against the running simulator, printed as name/value lines.
#pragma once

#include <span>

namespace corvane::cli {

int RunStateCommand(std::span<char* const> args);

}  // namespace corvane::cli
