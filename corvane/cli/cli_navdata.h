// corvane-cli subcommands over the navigation database: load and search.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "corvane/navdata/nav_tables.h"

namespace corvane::cli {

// corvane-cli load --data DIR [--source fs|xplane]
int RunLoadCommand(std::span<char* const> args);
// corvane-cli search --data DIR [--source fs|xplane] [--center LAT,LON] QUERY
int RunSearchCommand(std::span<char* const> args);

// The options both commands share; the words that are not options stay in `words`.
struct NavDataOptions {
  std::filesystem::path dataFolder;
  navdata::DatabaseSource source = navdata::DatabaseSource::kXPlane;  // as on a first start
  std::optional<std::string> center;
  std::vector<std::string> words;
};
// Empty (after printing why to stderr) when the arguments are not understood.
std::optional<NavDataOptions> ParseNavDataOptions(std::span<char* const> args, const char* command);

}  // namespace corvane::cli
