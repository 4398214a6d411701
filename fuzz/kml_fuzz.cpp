// Fuzzes the KML path import against the demo airports, as the KML button imports a file, and reads
// the plan lines it makes as the OK button then does: an import must give lines that parse.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "corvane/exchange/kml_route.h"
#include "corvane/navdata/load_report.h"
#include "corvane/navdata/nav_loaders.h"
#include "corvane/plan/flight_plan.h"
#include "corvane/plan/plan_listing.h"
#include "fuzz/fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  static const navdata::AirportTable airports = [] {
    navdata::AirportTable table;
    navdata::LoadReport report;
    navdata::LoadAirports(table, CORVANE_DEMO_DATA, navdata::DatabaseSource::kXPlane, report);
    return table;
  }();
  const auto path = fuzzing::WriteFuzzFile("fuzz.kml", fuzzing::AsText(data, size));
  const exchange::KmlImport imported = exchange::ImportKmlFile(path, airports);
  if (imported.error) return 0;
  plan::FlightPlan plan;
  if (plan::ParsePlanText(imported.planLines, plan)) std::abort();
  return 0;
}
