// Names and texts of the load report.
#include "corvane/navdata/load_report.h"

namespace corvane::navdata {

std::string_view NavTableName(NavTableId table) {
  switch (table) {
    case NavTableId::kAirports: return "AirportTable";
    case NavTableId::kRunwayEnds: return "RunwayEndTable";
    case NavTableId::kHeliports: return "HeliportTable";
    case NavTableId::kBeacons: return "BeaconTable";
    case NavTableId::kFixes: return "FixTable";
    case NavTableId::kAirwaySegments: return "AirwaySegmentTable";
    case NavTableId::kGeoSegments: return "GeoSegmentTable";
  }
  return "UnknownTable";
}

std::string ProblemText(const LoadProblem& problem) {
  std::string text = problem.fileName;
  if (problem.lineNumber > 0) text += " line " + std::to_string(problem.lineNumber);
  text += ": ";
  text += problem.reason;
  return text;
}

}  // namespace corvane::navdata
