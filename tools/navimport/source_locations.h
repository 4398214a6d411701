// Where the source files of a conversion are: a flat folder (--xplane) or an X-Plane 11/12 install
// folder (--xplane-root), whose user updates in "Custom Data" replace the default data file by file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace corvane::navimport {

struct SourceLocations {
  // Navaids and fixes: the main file, then the user's additions (user_nav.dat, user_fix.dat).
  std::vector<std::filesystem::path> nav;
  std::vector<std::filesystem::path> fix;
  std::vector<std::filesystem::path> awy;
  // Airports: the global file first, then the scenery packs, lowest priority first, so that an airport
  // of a later file replaces one of the same ident from an earlier file.
  std::vector<std::filesystem::path> apt;
  // The CIFP folder (one <ICAO>.dat per airport); empty when there is none.
  std::filesystem::path cifp;
  // What was looked for and not found, and which folder each file came from, for the report.
  std::vector<std::string> notes;
};

// nav.dat or earth_nav.dat, fix.dat or earth_fix.dat, awy.dat or earth_awy.dat, apt.dat (each plain
// or .gz), user_nav.dat and user_fix.dat when present.
SourceLocations FlatFolderSources(const std::filesystem::path& folder);

// Each earth_*.dat from "Custom Data" when it is there, else from "Resources/default data";
// user_nav.dat and user_fix.dat from "Custom Data"; apt.dat from the global airports (X-Plane 12's
// "Global Scenery" or X-Plane 11's "Custom Scenery" location) and from the enabled packs of
// "Custom Scenery/scenery_packs.ini", a pack listed higher in the file winning over one below it.
SourceLocations InstallFolderSources(const std::filesystem::path& root);

// The path of baseName or baseName.gz in folder; empty when neither exists.
std::filesystem::path FindPlainOrCompressed(const std::filesystem::path& folder, const std::string& baseName);

}  // namespace corvane::navimport
