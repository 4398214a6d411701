// The subcommands of corvane-cli. Each lives in its own cli_<name>.cpp and is listed in cli_main.cpp.
#pragma once

#include <span>
#include <string_view>

namespace corvane::cli {

// args holds what follows the subcommand name; the result is the process exit code.
using CommandFunction = int (*)(std::span<char* const> args);

struct Command {
  std::string_view name;
  std::string_view usage;
  CommandFunction run;
};

}  // namespace corvane::cli
