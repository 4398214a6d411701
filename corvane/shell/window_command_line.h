// The command line the window programs share, on every platform: its options read from UTF-8 texts.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane::shell {

inline constexpr const char* kWindowUsage =
    "usage: corvane [--data DIR] [--ini FILE] [--sim none|simhost|builtin] [--fly PLAN.nav] [--airport ICAO]\n"
    "               [--screenshot FILE --after SECONDS]\n";

struct WindowCommandLine {
  std::string dataFolder;    // empty: the folder the settings name
  std::string settingsPath;  // empty: the settings file next to the program
  std::string simulator = "simhost";
  std::string flyPlanPath;
  std::string airport;
  std::string screenshotPath;
  double screenshotAfterSeconds = 3.0;
};

// The arguments after the program's name. Nothing when an option is unknown or lacks its value, or when
// --after is not a number of seconds from 0 to an hour.
std::optional<WindowCommandLine> ParseWindowCommandLine(const std::vector<std::string>& arguments);

}  // namespace corvane::shell
