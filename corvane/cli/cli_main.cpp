// corvane-cli: the headless face of corvane, for scripts, checks and tests.
#include <cstdio>
#include <span>

#include "cli_command.h"
#include "cli_exchange.h"
#include "cli_fly.h"
#include "cli_run.h"
#include "corvane/cli/cli_navdata.h"
#include "corvane/cli/cli_state.h"
#include "formats/program_version.h"

namespace corvane::cli {
namespace {

// One line per subcommand; keep them in alphabetical order.
constexpr Command kCommands[] = {
    {"export",
     "export --data DIR --format pln|fms|fms11|ivap [--source fs|xplane] [--ini FILE] [--template FILE] PLAN.nav OUT",
     RunExportCommand},
    {"fly", "fly --data DIR [--sim builtin|simhost] [--wind DIR/KT] [--cruise FT] [--track-legs] [--ini FILE] PLAN.nav",
     RunFlyCommand},
    {"help", "help", nullptr},
    {"import",
     "import --data DIR [--source fs|xplane] [--cruise FT] [--speed KT] [--save PLAN.nav] ROUTE...|--file PLAN",
     RunImportCommand},
    {"load", "load --data DIR [--source fs|xplane]", RunLoadCommand},
    {"run", "run [--data DIR] [--ini FILE] [--sim none|simhost|builtin] SCRIPT", RunRunCommand},
    {"search", "search --data DIR [--source fs|xplane] [--center LAT,LON] QUERY", RunSearchCommand},
    {"state", "state [--timeout S]", RunStateCommand},
};

int PrintUsage(std::FILE* out) {
  std::fputs("usage: corvane-cli COMMAND [ARGS]   (or --help, --version)\ncommands:\n", out);
  for (const Command& command : kCommands)
    std::fprintf(out, "  %.*s\n", static_cast<int>(command.usage.size()), command.usage.data());
  return out == stdout ? 0 : 2;
}

}  // namespace
}  // namespace corvane::cli

int main(int argc, char** argv) {
  using namespace corvane::cli;
  if (argc < 2) return PrintUsage(stderr);
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h") return PrintUsage(stdout);
  if (name == "--version") {
    std::fputs(corvane::formats::VersionLine("corvane-cli").c_str(), stdout);
    return 0;
  }
  for (const Command& command : kCommands) {
    if (command.name != name) continue;
    if (command.run == nullptr) return PrintUsage(stdout);
    return command.run(std::span<char* const>(argv + 2, static_cast<size_t>(argc - 2)));
  }
  std::fprintf(stderr, "corvane-cli: unknown command '%s'\n", argv[1]);
  return PrintUsage(stderr);
}
