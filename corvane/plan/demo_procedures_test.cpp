// The demo folder's SIDs and STARs: every procedure loads, and every point is a fix or beacon of the
// demo tables at that table's position.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "corvane/navdata/nav_database_load.h"
#include "corvane/plan/procedures.h"
#include "formats/field_cut.h"
#include "formats/text_lines.h"

namespace corvane::plan {
namespace {

std::filesystem::path DemoFolder() {
  const char* source = std::getenv("CORVANE_SOURCE_DIR");
  return std::filesystem::path(source != nullptr ? source : ".") / "data" / "demo";
}

// Every fix and beacon position by ident (several beacons may share one).
std::multimap<std::string, std::pair<float, float>> DemoPoints() {
  navdata::NavDatabase database;
  navdata::LoadNavDatabase(database, DemoFolder(), navdata::DatabaseSource::kXPlane);
  std::multimap<std::string, std::pair<float, float>> points;
  for (std::size_t i = 0; i < database.fixes.EndIndex(); ++i) {
    const navdata::FixRow& fix = database.fixes[i];
    points.emplace(std::string(formats::TrimBlanks(fix.ident)), std::pair{fix.latitude, fix.longitude});
  }
  for (std::size_t i = 0; i < database.beacons.EndIndex(); ++i) {
    const navdata::BeaconRow& beacon = database.beacons[i];
    points.emplace(beacon.ident, std::pair{beacon.latitude, beacon.longitude});
  }
  return points;
}

TEST(DemoProcedures, EveryPointIsADemoFixOrBeacon) {
  if (!std::filesystem::exists(DemoFolder() / kSidFileName)) GTEST_SKIP() << "no demo data";
  const auto points = DemoPoints();
  for (const std::string_view fileName : {kSidFileName, kStarFileName}) {
    SCOPED_TRACE(std::string(fileName));
    // The airports named in the file, and how many point lines it holds.
    const std::vector<std::string> lines = formats::ReadTextLines(DemoFolder() / fileName);
    std::set<std::string> airports;
    std::size_t pointLines = 0;
    for (std::size_t i = procedure_columns::kHeaderLines; i < lines.size(); ++i) {
      if (lines[i].starts_with(procedure_columns::kHeaderMark)) {
        airports.insert(lines[i].substr(1, 4));
      } else if (!formats::TrimBlanks(lines[i]).empty()) {
        ++pointLines;
      }
    }
    EXPECT_TRUE(airports.contains("EHAM") && airports.contains("BIKF"));

    std::size_t pointsLoaded = 0;
    for (const std::string& airport : airports) {
      SCOPED_TRACE(airport);
      ProcedureTable table;
      const ProcedureLoadResult result = LoadProcedures(DemoFolder(), fileName, airport, table);
      ASSERT_EQ(result.outcome, ProcedureLoadOutcome::kLoaded);
      EXPECT_TRUE(result.problems.empty());
      EXPECT_GT(table.pointCount(), 0);
      pointsLoaded += static_cast<std::size_t>(table.pointCount());
      for (std::int32_t e = 1; e < table.endIndex(); ++e) {
        const ProcedureEntry& entry = table.entries[static_cast<std::size_t>(e)];
        bool found = false;
        for (auto [it, end] = points.equal_range(entry.pointName); it != end && !found; ++it) {
          found = it->second == std::pair{entry.lat, entry.lon};
        }
        EXPECT_TRUE(found) << entry.procName << " " << entry.pointName << " " << entry.lat << " " << entry.lon;
      }
    }
    EXPECT_EQ(pointsLoaded, pointLines);
  }
}

}  // namespace
}  // namespace corvane::plan
