// The command line of the batch mode: tessel --scan ROOT [--out DIR] [--only ARP,RWY,...].
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tessel/output_kinds.h"

namespace tessel {

struct BatchOptions {
  std::string scanRoot;
  std::filesystem::path outputFolder;
  OutputKinds kinds;
  bool showHelp = false;
  bool showVersion = false;
};

inline constexpr const char* kBatchUsage =
    "usage: tessel --scan ROOT [--out DIR] [--only ARP,RWY,VOR,NDB,HEL,ILS,APV]\n"
    "  Decodes every .BGL/.bgl scenery file below ROOT and writes the DAT files into DIR\n"
    "  (default: the build's output folder, normally the working folder; for an installed tessel\n"
    "  without a TESSEL.INI there, ~/.local/share/corvane/data). --only limits the kinds produced.\n"
    "  --help: this text; --version: the version.\n";

// Parses the arguments after the program name; on failure returns false with the reason.
bool ParseBatchOptions(const std::vector<std::string>& arguments, const std::filesystem::path& defaultOutputFolder,
                       BatchOptions& options, std::string& error);

}  // namespace tessel
