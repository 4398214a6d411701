// The compiler's settings file "TESSEL.INI": five lines, strings quoted, numbers plain.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tessel {

inline constexpr const char* kSettingsFileName = "TESSEL.INI";
inline constexpr int kDefaultWindowTopTwips = 100;
inline constexpr int kDefaultWindowLeftTwips = 100;

struct TesselSettings {
  std::string outputFolder;   // line 1
  std::string currentFolder;  // line 2, written for reference and not used
  int windowTopTwips = kDefaultWindowTopTwips;
  int windowLeftTwips = kDefaultWindowLeftTwips;
  std::string scanRoot;  // line 5
};

// Reads the five lines into settings. When the file is missing or any line cannot be read,
// settings keeps its values except the window position, which becomes top 100, left 100.
// Returns whether the file was read.
bool ReadTesselIni(const std::filesystem::path& file, TesselSettings& settings);

// Writes the five lines with CR LF, replacing the file whole; the reason when it cannot be written.
std::optional<std::string> WriteTesselIni(const std::filesystem::path& file, const TesselSettings& settings);

}  // namespace tessel
