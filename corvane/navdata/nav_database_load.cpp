// The load-all driver.
#include "corvane/navdata/nav_database_load.h"

#include "corvane/navdata/nav_loaders.h"

namespace corvane::navdata {

LoadReport LoadNavDatabase(NavDatabase& database, const std::filesystem::path& dataFolder, DatabaseSource source,
                           const LoadStepCallback& onStep) {
  LoadReport report;
  std::size_t step = 0;
  const auto announce = [&] {
    if (onStep) onStep(kLoadStepCaptions[step]);
    ++step;
  };
  announce();
  LoadFixes(database.fixes, dataFolder, report);
  announce();
  LoadBeacons(database.beacons, dataFolder, source, report);
  announce();
  LoadRunwayEnds(database.runwayEnds, dataFolder, source, report);
  announce();
  LoadAirports(database.airports, dataFolder, source, report);
  announce();
  LoadHeliports(database.heliports, dataFolder, source, report);
  announce();
  LoadGeoLines(database.geoSegments, dataFolder, report);
  announce();
  LoadAirways(database.airwaySegments, dataFolder, report);
  announce();
  LoadUserData(database, dataFolder, report);
  return report;
}

}  // namespace corvane::navdata
