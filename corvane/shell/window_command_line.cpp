// ParseWindowCommandLine: each option takes the argument after it.
#include "corvane/shell/window_command_line.h"

#include <charconv>

namespace corvane::shell {
namespace {

constexpr double kLongestScreenshotWaitSeconds = 3600;

}  // namespace

std::optional<WindowCommandLine> ParseWindowCommandLine(const std::vector<std::string>& arguments) {
  WindowCommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i + 1 >= arguments.size()) return std::nullopt;
    const std::string& option = arguments[i];
    const std::string& value = arguments[++i];
    if (option == "--data") {
      line.dataFolder = value;
    } else if (option == "--ini") {
      line.settingsPath = value;
    } else if (option == "--sim") {
      line.simulator = value;
    } else if (option == "--fly") {
      line.flyPlanPath = value;
    } else if (option == "--airport") {
      line.airport = value;
    } else if (option == "--screenshot") {
      line.screenshotPath = value;
    } else if (option == "--after") {
      double seconds = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
      if (value.empty() || error != std::errc() || end != value.data() + value.size() || !(seconds >= 0) ||
          seconds > kLongestScreenshotWaitSeconds) {
        return std::nullopt;
      }
      line.screenshotAfterSeconds = seconds;
    } else {
      return std::nullopt;
    }
  }
  return line;
}

}  // namespace corvane::shell
