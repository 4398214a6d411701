// Writes 2013-format X-Plane navigation data (nav 810, fix 600, awy 640, apt 850/1000) in the layouts
// of X-Plane 11/12 (earth_nav 1200, earth_fix 1200, earth_awy 1100, apt 1200), so the readers of the
// new layouts can be checked against those of the old on the same world.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::navimport::fixtures {

// An ICAO-like region of two letters, made up from the position: every point of one 10° by 15° cell
// shares it, so an ident gets the same region wherever it is referenced.
std::string InventedRegion(double latitudeDeg, double longitudeDeg);

struct NewFormatWorld {
  std::string nav, fix, awy, apt;
  // The old airway file as the new one can be read: each end at the position of the fix or navaid it
  // names (the new rows carry no position), rows with an end found nowhere left out and counted.
  std::string awy640Resolvable;
  std::size_t unresolvableAirwayRows = 0;
};

// The old texts in, the new texts out. Airway ends are looked up among the fixes and navaids by ident,
// nearest to the position the old row gives; an end found nowhere keeps the type of a fix, so the new
// reader meets it as an unresolved reference.
NewFormatWorld MakeNewFormatWorld(std::string_view nav810, std::string_view fix600, std::string_view awy640,
                                  std::string_view apt1000);

}  // namespace corvane::navimport::fixtures
