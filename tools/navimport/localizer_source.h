// The localizers of X-Plane's nav.dat (version 810) as the label text of their runway end: the
// frequency and the course a pilot sets on NAV1, for the airport view to show and tune.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "tools/navimport/import_report.h"
#include "tools/navimport/source_file.h"

namespace corvane::navimport {

// "110.55 183": the frequency in MHz at characters 1-6, the magnetic course in whole degrees
// (000 to 359) at 8-10, as the tuning reads it.
std::string LocalizerLabelText(long frequency10kHz, double courseDegTrue, double declinationDeg);

struct LocalizerLabels {
  // Keyed by airport ident, a blank and the runway end's designator ("EHAM 18R").
  std::map<std::string, std::string, std::less<>> byRunwayEnd;
  // Labels whose course stayed true: the file has no VOR to take a declination from.
  std::size_t trueCourses = 0;
};

std::string RunwayEndKey(std::string_view airportIdent, std::string_view designator);

// Rows 4 (ILS) and 5 (localizer alone) of the whole file, whatever the box: the runway rows decide
// which are written. The 810 format gives the localizer bearing in degrees true and no declination
// of its own, so the course is made magnetic with the slaved variation of the nearest VOR (row 3,
// west negative). From 1100 on the runway stands in field 11 (after the region); from 1150 on the
// bearing field carries the magnetic course, which is taken as it is. An ILS wins over a localizer
// alone at one runway end, else the first row wins.
LocalizerLabels ReadLocalizerLabels(const SourceFile& file, ImportReport& report);

}  // namespace corvane::navimport
