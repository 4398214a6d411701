// corvane-cli subcommands that take plans in and out: a route string imported, a plan exported.
#pragma once

#include <filesystem>
#include <memory>
#include <span>

#include "corvane/navdata/nav_tables.h"

namespace corvane::cli {

// corvane-cli export --data DIR --format pln|fms|fms11|ivap [--source fs|xplane] [--ini FILE] [--template FILE]
//                    PLAN.nav OUT
int RunExportCommand(std::span<char* const> args);
// corvane-cli import --data DIR [--source fs|xplane] [--cruise FT] [--speed KT] [--save PLAN.nav] ROUTE...
int RunImportCommand(std::span<char* const> args);

// The data folder's database; each problem of the load goes to stderr under the command's name.
std::unique_ptr<navdata::NavDatabase> LoadDatabaseReporting(const std::filesystem::path& dataFolder,
                                                            navdata::DatabaseSource source, const char* command);

}  // namespace corvane::cli
