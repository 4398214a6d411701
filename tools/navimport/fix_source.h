// Fixes from X-Plane's fix.dat (version 600).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/navimport/geo_box.h"
#include "tools/navimport/import_report.h"
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

// Fixes inside the box; a fix at 0/0 is dropped, since the readers take it for the table's end.
std::vector<Fix> ReadFixes(const SourceFile& file, const GeoBox& box, ImportReport& report);

}  // namespace corvane::navimport
