// Finding the source files in a flat folder or an X-Plane install folder.
#include "tools/navimport/source_locations.h"

#include <fstream>
#include <string_view>
#include <system_error>

#include "formats/field_cut.h"

namespace corvane::navimport {

namespace fs = std::filesystem;

namespace {

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

void AddIfFound(std::vector<fs::path>& list, const fs::path& path) {
  if (!path.empty()) list.push_back(path);
}

// "Custom Data" over "Resources/default data", for one file.
fs::path CustomOverDefault(const fs::path& root, const char* name) {
  fs::path found = FindPlainOrCompressed(root / "Custom Data", name);
  if (found.empty()) found = FindPlainOrCompressed(root / "Resources" / "default data", name);
  return found;
}

// The enabled packs of scenery_packs.ini in file order ("SCENERY_PACK Custom Scenery/Pack/").
std::vector<fs::path> SceneryPacks(const fs::path& root, std::vector<std::string>& notes) {
  std::vector<fs::path> packs;
  std::ifstream in(root / "Custom Scenery" / "scenery_packs.ini", std::ios::binary);
  if (!in) return packs;
  constexpr std::string_view kPack = "SCENERY_PACK ";
  std::string line;
  while (std::getline(in, line)) {
    const std::string_view text = formats::TrimBlanks(line);
    if (text.substr(0, kPack.size()) != kPack) continue;  // disabled packs and the header
    std::string_view folder = formats::TrimBlanks(text.substr(kPack.size()));
    if (folder.empty() || folder.front() == '*') continue;  // *GLOBAL_AIRPORTS* marks the global file
    fs::path path(folder);
    if (path.is_relative()) path = root / path;
    const fs::path apt = FindPlainOrCompressed(path / "Earth nav data", "apt.dat");
    if (!apt.empty()) packs.push_back(apt);
  }
  if (!packs.empty()) notes.push_back("scenery_packs.ini: " + std::to_string(packs.size()) + " packs with an apt.dat");
  return packs;
}

}  // namespace

fs::path FindPlainOrCompressed(const fs::path& folder, const std::string& baseName) {
  const fs::path plain = folder / baseName;
  if (IsFile(plain)) return plain;
  fs::path compressed = plain;
  compressed += ".gz";
  if (IsFile(compressed)) return compressed;
  return {};
}

SourceLocations FlatFolderSources(const fs::path& folder) {
  SourceLocations sources;
  struct Kind {
    std::vector<fs::path>* list;
    const char* name;
    const char* otherName;
  };
  for (const Kind& kind :
       {Kind{&sources.nav, "nav.dat", "earth_nav.dat"}, Kind{&sources.fix, "fix.dat", "earth_fix.dat"},
        Kind{&sources.awy, "awy.dat", "earth_awy.dat"}, Kind{&sources.apt, "apt.dat", nullptr}}) {
    fs::path found = FindPlainOrCompressed(folder, kind.name);
    if (found.empty() && kind.otherName != nullptr) found = FindPlainOrCompressed(folder, kind.otherName);
    AddIfFound(*kind.list, found);
  }
  if (IsFolder(folder / "CIFP")) sources.cifp = folder / "CIFP";
  AddIfFound(sources.nav, FindPlainOrCompressed(folder, "user_nav.dat"));
  AddIfFound(sources.fix, FindPlainOrCompressed(folder, "user_fix.dat"));
  return sources;
}

SourceLocations InstallFolderSources(const fs::path& root) {
  SourceLocations sources;
  AddIfFound(sources.nav, CustomOverDefault(root, "earth_nav.dat"));
  AddIfFound(sources.fix, CustomOverDefault(root, "earth_fix.dat"));
  AddIfFound(sources.awy, CustomOverDefault(root, "earth_awy.dat"));
  for (const fs::path& cifp : {root / "Custom Data" / "CIFP", root / "Resources" / "default data" / "CIFP"}) {
    if (sources.cifp.empty() && IsFolder(cifp)) sources.cifp = cifp;
  }
  AddIfFound(sources.nav, FindPlainOrCompressed(root / "Custom Data", "user_nav.dat"));
  AddIfFound(sources.fix, FindPlainOrCompressed(root / "Custom Data", "user_fix.dat"));
  const fs::path global =
      FindPlainOrCompressed(root / "Global Scenery" / "Global Airports" / "Earth nav data", "apt.dat");
  const fs::path global11 =
      FindPlainOrCompressed(root / "Custom Scenery" / "Global Airports" / "Earth nav data", "apt.dat");
  const fs::path globalFound = !global.empty() ? global : global11;
  if (globalFound.empty()) sources.notes.push_back("apt.dat: no global airports in Global Scenery or Custom Scenery");
  std::vector<fs::path> packs = SceneryPacks(root, sources.notes);
  AddIfFound(sources.apt, globalFound);
  // Lowest priority first: the pack listed last in scenery_packs.ini comes right after the global file.
  for (auto pack = packs.rbegin(); pack != packs.rend(); ++pack) {
    if (*pack != globalFound) sources.apt.push_back(*pack);
  }
  return sources;
}

}  // namespace corvane::navimport
