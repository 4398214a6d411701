// Land airports, their runways and their layout rows from X-Plane's apt.dat (850 to 1200: the rows
// read here are the same in every version, and unknown row codes are skipped).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/navimport/import_report.h"
#include "tools/navimport/source_file.h"

namespace corvane::navimport {

struct RunwayEnd {
  std::string designator;  // "09L", "27", "N"
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
};

struct SourceRunway {
  RunwayEnd end1;
  RunwayEnd end2;
  double lengthM = 0.0;            // end to end
  double headingDegTrue = 0.0;     // from end 1 towards end 2
  double centreLatitudeDeg = 0.0;  // midpoint of the ends
  double centreLongitudeDeg = 0.0;
};

struct SourceAirport {
  std::string ident;
  std::string name;
  long elevationFt = 0;
  std::size_t lineNumber = 0;  // of the header row
  std::size_t fileIndex = 0;   // which of several source files, for the report
  // The airport's "1302 datum_lat/datum_lon" where it has them, else the centre of the box around
  // all runway ends.
  double latitudeDeg = 0.0;
  double longitudeDeg = 0.0;
  std::vector<SourceRunway> runways;
  double longestRunwayM = 0.0;
  // Every row after the header, in file order, as views into the source file's text, for the
  // airport layout file; gathered only for the airports asked for.
  std::vector<std::string_view> layoutRows;
};

// Every land airport (row code 1) with at least one usable land runway (row code 100); seaplane
// bases and heliports are skipped and counted. An airport's "1302 icao_code" replaces the X-Plane id
// of its header as its ident. `wantLayout(ident)` says whose layout rows to gather.
std::vector<SourceAirport> ReadAirports(const SourceFile& file, const std::function<bool(std::string_view)>& wantLayout,
                                        ImportReport& report);

// Great-circle distance and initial true bearing between two points.
double DistanceM(double latitude1Deg, double longitude1Deg, double latitude2Deg, double longitude2Deg);
double InitialBearingDeg(double latitude1Deg, double longitude1Deg, double latitude2Deg, double longitude2Deg);

}  // namespace corvane::navimport
