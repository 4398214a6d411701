// Argument parsing shared by the load and search subcommands.
#include <cstdio>
#include <string_view>

#include "corvane/cli/cli_navdata.h"

namespace corvane::cli {

std::optional<NavDataOptions> ParseNavDataOptions(std::span<char* const> args, const char* command) {
  NavDataOptions options;
  bool haveData = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--data" && hasValue) {
      options.dataFolder = args[++i];
      haveData = true;
    } else if (arg == "--source" && hasValue) {
      const std::string_view source = args[++i];
      if (source == "fs") {
        options.source = navdata::DatabaseSource::kFs;
      } else if (source == "xplane") {
        options.source = navdata::DatabaseSource::kXPlane;
      } else {
        std::fprintf(stderr, "corvane-cli %s: --source takes fs or xplane, not '%s'\n", command, args[i]);
        return std::nullopt;
      }
    } else if (arg == "--center" && hasValue) {
      options.center = args[++i];
    } else if (arg.starts_with("--")) {
      std::fprintf(stderr, "corvane-cli %s: unknown option or missing value: %s\n", command, args[i]);
      return std::nullopt;
    } else {
      options.words.emplace_back(arg);
    }
  }
  if (!haveData) {
    std::fprintf(stderr, "corvane-cli %s: --data DIR is required\n", command);
    return std::nullopt;
  }
  return options;
}

}  // namespace corvane::cli
