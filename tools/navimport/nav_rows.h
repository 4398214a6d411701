// Text of the rows navimport writes: airport, runway-end and beacon rows through the shared row
// writers, and the fix, airway-point and geo-line rows whose layout only their reader defines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/dat_rows.h"
#include "tools/navimport/airport_source.h"
#include "tools/navimport/airway_chain.h"
#include "tools/navimport/fix_source.h"
#include "tools/navimport/navaid_source.h"
#include "tools/navimport/topojson_geo.h"

namespace corvane::navimport {

std::string AirportRowText(const SourceAirport& airport);

// Both ends of the runway: centre, heading of the end, half-length. Designators that are not a
// number with an optional L, R, C, W, A or B ("N", "NE") are written as they are.
formats::RunwayEndLines RunwayRowTexts(std::string_view airportIdent, const SourceRunway& runway);

// Puts `text` (up to 10 characters) at columns 42-51 of a runway-end row, where the readers find the
// end's label.
void AddRunwayEndLabel(std::string& line, std::string_view text);

// A VOR or NDB row; the source file's name stands where the compiler writes the scenery file path.
std::string BeaconRowText(const Navaid& navaid, std::string_view sourceName);

// "NAVwpt.dat": ident in 5, latitude in 10 (point at 4), a blank, longitude in 11 (point at 5).
std::string FixRowText(const Fix& fix);

// "NAVawy.dat": 19 header lines, then one point per line, comma-separated:
//   run number, airway name + blank + the run's number among its name's runs, point number,
//   ident, latitude, longitude, lowest and highest flight level of the segment ending here,
//   level of that segment (H, L or B: the line's last character).
inline constexpr std::size_t kAirwayHeaderLines = 19;
std::vector<std::string> AirwayHeaderLines(std::string_view sourceNote);
void AppendAirwayRunLines(const AirwayRun& run, std::size_t runNumber, std::size_t runOfName, std::string& out);

// "corvane_geo.dat": four 11-character decimal fields (6 decimals) separated by blanks.
std::string GeoSegmentText(const GeoSegment& segment);
std::string GeoLayerLine(int layer);

// Splits "09L" into number 9 and code 1 (L 1, R 2, C 3, W 4, A 5, B 6); false when it is not such.
bool SplitRunwayDesignator(std::string_view designator, int& number, int& code);

}  // namespace corvane::navimport
