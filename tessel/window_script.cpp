// ParseWindowScript: each option once its value is there; anything else is a wrong command line.
#include "tessel/window_script.h"

namespace tessel {

std::optional<WindowScript> ParseWindowScript(const std::vector<std::string>& arguments) {
  WindowScript script;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--quit") {
      script.quitAfterRun = true;
    } else if (hasValue && argument == "--scan") {
      script.scanRoot = arguments[++i];
    } else if (hasValue && argument == "--out") {
      script.outputFolder = arguments[++i];
    } else if (hasValue && argument == "--screenshot") {
      script.screenshotPath = arguments[++i];
    } else if (hasValue && argument == "--progress-shot") {
      script.progressShotPath = arguments[++i];
    } else {
      return std::nullopt;
    }
  }
  return script;
}

}  // namespace tessel
