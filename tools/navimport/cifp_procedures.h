// SIDs and STARs of one airport's CIFP file (X-Plane's CIFP/<ICAO>.dat) as entries of the procedure
// files: pieces that the user chains with ACT, each a list of points with positions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/navimport/import_report.h"
#include "tools/navimport/reference_index.h"
#include "tools/navimport/source_file.h"

namespace corvane::navimport {

enum class ProcedureKind { kSid, kStar };

struct ProcedurePoint {
  std::string ident;
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
  std::string legType;  // "TF", "CF", ...; "RW" for a runway threshold
};

struct ProcedureEntryOut {
  std::string name;       // "ALSE1C"
  std::string qualifier;  // "RW16L" or an enroute transition ("ALPSE")
  std::string description;
  std::vector<ProcedurePoint> points;
};

// For a SID: one entry per runway (the runway transition and the common route, starting at the
// runway threshold of the file's RWY line) and one per enroute transition (starting at the common
// route's last fix). For a STAR: one entry per enroute transition with the common route (the common
// route alone, qualifier "ALL", when there is none) and one per runway transition (from the common
// route's last fix to the threshold). "RWnnB" and "ALL" are expanded against the RWY lines. A leg
// without a fix gives no point, a repeated ident is dropped, engine-out and profile-descent parts are
// left out. A fix is found by ident, region and section in `index` (terminal fixes in this airport's
// area); an entry with a fix that is not found is left out and reported.
std::vector<ProcedureEntryOut> ReadCifpProcedures(const SourceFile& file, const std::string& airport,
                                                  ProcedureKind kind, const ReferenceIndex& index,
                                                  ImportReport& report);

// The entries in the procedure file layout: "[ICAO NAME   QUALIF description", one line per point
// (leg type in columns 3-4, name in 15-19, latitude in 21-30, longitude in 32-42), an empty line.
void AppendProcedureEntries(const std::string& airport, const std::vector<ProcedureEntryOut>& entries,
                            std::string& text);

}  // namespace corvane::navimport
