// The command line of the batch mode: tessel --scan ROOT [--out DIR] [--only ARP,RWY,...].
#include "tessel/batch_options.h"

#include <string_view>

namespace tessel {
namespace {

bool ParseKinds(std::string_view list, OutputKinds& kinds, std::string& error) {
  kinds = OutputKinds{false, false, false, false, false, false, false};
  while (true) {
    const std::size_t comma = list.find(',');
    const std::string_view name = list.substr(0, comma);
    if (name == "ARP")
      kinds.airports = true;
    else if (name == "RWY")
      kinds.runways = true;
    else if (name == "VOR")
      kinds.vors = true;
    else if (name == "NDB")
      kinds.ndbs = true;
    else if (name == "HEL")
      kinds.heliports = true;
    else if (name == "ILS")
      kinds.ilss = true;
    else if (name == "APV")
      kinds.airportView = true;
    else {
      error = "unknown kind \"" + std::string(name) + "\" in --only (use ARP, RWY, VOR, NDB, HEL, ILS, APV)";
      return false;
    }
    if (comma == std::string_view::npos) return true;
    list.remove_prefix(comma + 1);
  }
}

}  // namespace

bool ParseBatchOptions(const std::vector<std::string>& arguments, const std::filesystem::path& defaultOutputFolder,
                       BatchOptions& options, std::string& error) {
  options = BatchOptions{};
  options.outputFolder = defaultOutputFolder;
  bool haveScan = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.showHelp = true;
      return true;
    }
    if (argument == "--version") {
      options.showVersion = true;
      return true;
    }
    if (argument != "--scan" && argument != "--out" && argument != "--only") {
      error = "unknown argument \"" + argument + "\"";
      return false;
    }
    if (i + 1 >= arguments.size()) {
      error = argument + " needs a value";
      return false;
    }
    const std::string& value = arguments[++i];
    if (argument == "--scan") {
      options.scanRoot = value;
      haveScan = true;
    } else if (argument == "--out") {
      options.outputFolder = value;
    } else if (!ParseKinds(value, options.kinds, error)) {
      return false;
    }
  }
  if (!haveScan || options.scanRoot.empty()) {
    error = "--scan ROOT is required";
    return false;
  }
  return true;
}

}  // namespace tessel
