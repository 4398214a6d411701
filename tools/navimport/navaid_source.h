// VORs and NDBs from X-Plane's nav.dat (version 810) and earth_nav.dat / user_nav.dat (1100, 1150, 1200).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/navimport/geo_box.h"
#include "tools/navimport/import_report.h"
#include "tools/navimport/reference_index.h"
#include "tools/navimport/source_file.h"

namespace corvane::navimport {

enum class NavaidType { kNdb = 2, kVor = 3 };

struct Navaid {
  NavaidType type = NavaidType::kVor;
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
  // VOR: 10 kHz units as in the source (11330 = 113.30 MHz); NDB: kHz.
  long frequency = 0;
  std::string ident;
  std::string name;
  std::string terminal = "ENRT";  // 1100 on: "ENRT" or the airport whose terminal area it serves
  std::string region;             // 1100 on: the ICAO region
  std::size_t lineNumber = 0;     // in the source, for the report
  std::size_t fileIndex = 0;      // which of several source files, for the report
};

// Longest beacon ident the readers keep whole (they take columns 1-4).
inline constexpr std::size_t kMaxBeaconIdentLength = 4;

struct Navaids {
  std::vector<Navaid> vors;
  std::vector<Navaid> ndbs;
};

// Rows of type 3 (VOR) and 2 (NDB) inside the box; bad rows are reported and left out, the other
// types are skipped silently. The layout follows line 2: from 1100 on, the terminal area and the
// region stand between the ident and the name. A row 3 named "... TACAN" is left out and reported:
// a VHF receiver takes no bearing from it. Every readable row 2, 3, 12 and 13 of any place goes into
// `index` when one is given (12 and 13, the DMEs, as VHF points), for airways and procedures.
Navaids ReadNavaids(const SourceFile& file, const GeoBox& box, ImportReport& report, ReferenceIndex* index = nullptr);

// The first version whose rows carry a terminal area and a region after the ident.
inline constexpr long kFirstRegionNavVersion = 1100;

// The stored frequency the row writer takes: Hz for a VOR, 10 Hz units for an NDB.
unsigned long StoredFrequency(const Navaid& navaid);

}  // namespace corvane::navimport
