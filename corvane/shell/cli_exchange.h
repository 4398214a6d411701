// corvane-cli subcommands that take plans in and out: a route string imported, a plan exported.
#pragma once

#include <span>

namespace corvane::cli {

// corvane-cli export --data DIR --format pln|fms|ivap [--template FILE] PLAN.nav OUT
int RunExportCommand(std::span<char* const> args);
// corvane-cli import --data DIR [--source fs|xplane] [--cruise FT] [--speed KT] [--save PLAN.nav] ROUTE...
int RunImportCommand(std::span<char* const> args);

}  // namespace corvane::cli
