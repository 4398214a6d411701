// What tessel's window is asked on its command line, for unattended runs and screenshots; shared by
// its Qt and Windows windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tessel/tessel_form.h"

namespace tessel {

inline constexpr const char* kWindowUsage =
    "usage: tessel-gui [--scan ROOT] [--out DIR] [--screenshot FILE.png] [--progress-shot FILE.png] [--quit]\n"
    "       tessel-gui --help | --version\n";

struct WindowScript {
  std::optional<std::string> scanRoot;          // start a run at once on this root
  std::optional<std::string> outputFolder;      // instead of the settings file's
  std::optional<std::string> screenshotPath;    // saved when the run ends (or at once without a run)
  std::optional<std::string> progressShotPath;  // saved once the file scan is half done
  bool quitAfterRun = false;
  TesselPlaces places{DefaultOutputFolder(), std::nullopt};  // where the settings and output go
};

// The options after the program's name; nullopt on an unknown option or one without its value.
std::optional<WindowScript> ParseWindowScript(const std::vector<std::string>& arguments);

}  // namespace tessel
