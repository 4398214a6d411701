// VORs and NDBs from X-Plane's nav.dat (version 810).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/navimport/geo_box.h"
#include "tools/navimport/import_report.h"
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
  std::size_t lineNumber = 0;  // in the source, for the report
};

// Longest beacon ident the readers keep whole (they take columns 1-4).
inline constexpr std::size_t kMaxBeaconIdentLength = 4;

struct Navaids {
  std::vector<Navaid> vors;
  std::vector<Navaid> ndbs;
};

// Rows of type 3 (VOR) and 2 (NDB) inside the box; bad rows are reported and left out, the other
// types are skipped silently.
Navaids ReadNavaids(const SourceFile& file, const GeoBox& box, ImportReport& report);

// The stored frequency the row writer takes: Hz for a VOR, 10 Hz units for an NDB.
unsigned long StoredFrequency(const Navaid& navaid);

}  // namespace corvane::navimport
