// Fixes from X-Plane's fix.dat (version 600) and earth_fix.dat / user_fix.dat (1101, 1200).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/navimport/geo_box.h"
#include "tools/navimport/import_report.h"
#include "tools/navimport/reference_index.h"
#include "tools/navimport/source_file.h"

namespace corvane::navimport {

struct Fix {
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
  std::string ident;
  std::size_t lineNumber = 0;  // in the source, for the report
};

// The reader keeps five characters of a fix ident.
inline constexpr std::size_t kMaxFixIdentLength = 5;

// The enroute fixes inside the box, for NAVwpt.dat; a fix at 0/0 is dropped, since the readers take
// it for the table's end. The layout follows line 2: 600 is "lat lon ident", 1101 adds the terminal
// area, the region and the waypoint type, 1200 a name (blanks allowed) after them. Terminal-area
// fixes and VFR reporting points are not written (their idents repeat from airport to airport) but,
// like every readable row of any place, go into `index` when one is given, for airways and procedures.
std::vector<Fix> ReadFixes(const SourceFile& file, const GeoBox& box, ImportReport& report,
                           ReferenceIndex* index = nullptr);

// True for a packed ARINC waypoint type whose first character is 'V' (a VFR reporting point).
bool IsVfrWaypointType(long packedType);

}  // namespace corvane::navimport
