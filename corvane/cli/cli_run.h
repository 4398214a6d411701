// corvane-cli run: TForm1 on virtual time, driven by a script.
#pragma once

#include <span>

namespace corvane::cli {

int RunRunCommand(std::span<char* const> args);

}  // namespace corvane::cli
