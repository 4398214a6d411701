// The airport layout: the runways, helipads, taxiway pieces and runway labels of one airport, made
// from the layout file and the runway file, and the centre the view looks at.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/airport/layout_file_index.h"
#include "corvane/map/geo_pos.h"
#include "corvane/navdata/load_report.h"
#include "corvane/navdata/nav_tables.h"

namespace corvane::airport {

inline constexpr std::size_t kAirportLayoutCapacity = 1000000;

// The item kinds besides a runway's designator.
inline constexpr std::string_view kHelipadKind = "H";
inline constexpr std::string_view kTaxiwayKind = "xxx";
inline constexpr std::string_view kLabelKind = "txt";

struct LayoutItem {
  float latitude = 0;  // centre of the item
  float longitude = 0;
  float headingDegTrue = 0;  // the long axis
  float lengthFt = 0;
  float widthFt = 0;
  std::string kind{};
  std::string label{};  // label entries only
};

// Pavement first (runways, helipads, taxiway pieces), then the label entries. Holds at most
// `capacity` items; its memory follows what the last load needed.
struct AirportLayout {
  std::vector<LayoutItem> items;
  std::string elevationText;  // from the airport's header row
  std::size_t capacity = kAirportLayoutCapacity;
};

// File names as asked for; they are matched without regard to letter case.
namespace layout_file_names {
inline constexpr std::string_view kFsLayout = "corvanfs_apt.dat";
inline constexpr std::string_view kXPlaneLayout = "corvanxX_apt.dat";
inline constexpr std::string_view kFsRunways = "fsxrwy.dat";
inline constexpr std::string_view kXPlaneRunways = "navrwy.dat";
}  // namespace layout_file_names

inline constexpr std::string_view kAirportNotFound = "Airport not found!";

struct AirportLoadResult {
  // Empty when the layout holds items; otherwise why the view stays closed: "Airport not found!",
  // or the file that could not be read.
  std::string failure;
  // Rows that could not be read and items that did not fit, with file and line.
  std::vector<navdata::LoadProblem> problems;
  std::size_t itemsLeftOut = 0;

  bool loaded() const { return failure.empty(); }
};

// Clears the layout and fills it for the ident (already trimmed and upper-cased): the first airport in
// the file whose ident is the whole ident, and the runway-file lines of that ident only. The cache
// keeps the files for the next load.
AirportLoadResult LoadAirportLayout(LayoutFileCache& files, const std::filesystem::path& folder,
                                    navdata::DatabaseSource source, std::string_view ident, AirportLayout& layout);

// The mean position of the items, walked from the first to the first at latitude 0, summed as floats;
// empty when there is none.
std::optional<map::GeoPos> LayoutCentre(const AirportLayout& layout);

}  // namespace corvane::airport
