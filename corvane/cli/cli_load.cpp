// corvane-cli load: loads the navigation database of a data folder and prints what it holds.
#include <chrono>
#include <cstdio>
#include <string>

#include "corvane/cli/cli_navdata.h"
#include "corvane/navdata/nav_database_load.h"

namespace corvane::cli {

int RunLoadCommand(std::span<char* const> args) {
  const std::optional<NavDataOptions> options = ParseNavDataOptions(args, "load");
  if (!options) return 2;
  if (!options->words.empty()) {
    std::fprintf(stderr, "corvane-cli load: unexpected argument '%s'\n", options->words.front().c_str());
    return 2;
  }
  navdata::NavDatabase database;
  const auto start = std::chrono::steady_clock::now();
  const navdata::LoadReport report = navdata::LoadNavDatabase(database, options->dataFolder, options->source);
  const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;

  for (std::size_t table = 0; table < navdata::kNavTableCount; ++table) {
    const navdata::TableLoadCount& count = report.tables[table];
    const std::string_view name = navdata::NavTableName(static_cast<navdata::NavTableId>(table));
    std::printf("%.*s %zu loaded %zu dropped\n", static_cast<int>(name.size()), name.data(), count.loaded,
                count.dropped());
  }
  for (const navdata::LoadProblem& problem : report.problems) {
    std::printf("%s\n", navdata::ProblemText(problem).c_str());
  }
  std::printf("load_ms %.1f\n", elapsed.count());
  // Partly loaded data is usable, but a script must be able to tell.
  return report.problems.empty() ? 0 : 1;
}

}  // namespace corvane::cli
