#include "tools/simhost/stand_in_backend.h"

#include <cstdio>

namespace corvane::simhost {

std::string StandInBackend::StateLine() const {
  const standin::AircraftTruth& a = model_.aircraft();
  char line[200];
  std::snprintf(line, sizeof line, "t=%.0fs lat %.6f lon %.6f alt %.0f ft hdg %.1f ias %.0f kt gs %.0f kt vs %.0f fpm",
                model_.elapsedSeconds(), a.latitude, a.longitude, a.altitudeFt, a.headingDegTrue, a.indicatedAirspeedKt,
                a.groundSpeedKt, a.verticalSpeedFpm);
  return line;
}

}  // namespace corvane::simhost
