// The user file: its sections, their order, and how its rows join the main tables.
#include <gtest/gtest.h>

#include "corvane/navdata/nav_loaders.h"
#include "corvane/navdata/test_data_folder.h"
#include "corvane/navdata/test_rows.h"

namespace corvane::navdata {
namespace {

using testing::AirportLine;
using testing::BeaconLine;
using testing::FixLine;
using testing::RunwayLine;
using testing::TestDataFolder;

NavDatabase DatabaseWithOneRowEach() {
  NavDatabase database;
  TestDataFolder folder;
  folder.Write("NAVapt.dat", {AirportLine("EHAM", "52.3", "4.7", "-11", "SCHIPHOL")});
  folder.Write("NAVvor.dat", {BeaconLine("SPY", "52.5", "4.8", "113.30")});
  folder.Write("NAVndb.dat", {});
  folder.Write("NAVrwy.dat", {RunwayLine("EHAM", " 18R", "52.3", "4.7", "183", "1900")});
  folder.Write("NAVwpt.dat", {FixLine("ARTIP", "52.5", "5.5")});
  LoadReport report;
  LoadAirports(database.airports, folder.path(), DatabaseSource::kXPlane, report);
  LoadBeacons(database.beacons, folder.path(), DatabaseSource::kXPlane, report);
  LoadRunwayEnds(database.runwayEnds, folder.path(), DatabaseSource::kXPlane, report);
  LoadFixes(database.fixes, folder.path(), report);
  EXPECT_TRUE(report.problems.empty());
  return database;
}

TEST(UserDataLoader, EverySectionAppendsAfterTheMainRows) {
  NavDatabase database = DatabaseWithOneRowEach();
  TestDataFolder folder;
  folder.Write("corvane_user.dat", {"#APT", AirportLine("EHXX", "52.1", "4.1", "3", "MY FIELD"), "", "#VOR",
                                    BeaconLine("MYV", "52.2", "4.2", "114.00", "NAME NOT READ"), "", "#NDB",
                                    BeaconLine("MN", "52.3", "4.3", "333.00"), "", "#RWY",
                                    RunwayLine("EHXX", " 09 ", "52.1", "4.1", " 90", "  400"), "", "#FIX",
                                    FixLine("MYFIX", "52.4", "4.4"), FixLine("MYFX2", "52.5", "4.5")});
  LoadReport report;
  LoadUserData(database, folder.path(), report);
  EXPECT_TRUE(report.problems.empty());

  ASSERT_EQ(database.airports.EndIndex(), 2u);
  EXPECT_EQ(database.airports[1].ident, "EHXX");  // trimmed, unlike the airport file's idents
  EXPECT_EQ(database.airports[1].name, "MY FIELD");
  ASSERT_EQ(database.beacons.EndIndex(), 3u);
  EXPECT_EQ(database.beacons[1].ident, "MYV");
  EXPECT_EQ(database.beacons[1].kind, BeaconKind::kVor);
  EXPECT_EQ(database.beacons[1].name, "");
  EXPECT_EQ(database.beacons[2].kind, BeaconKind::kNdb);
  EXPECT_EQ(database.beacons[2].frequencyText, "333.00");
  ASSERT_EQ(database.runwayEnds.EndIndex(), 2u);
  EXPECT_EQ(database.runwayEnds[1].designator, "09 ");
  // The last section runs to the end of the file without a closing line.
  ASSERT_EQ(database.fixes.EndIndex(), 3u);
  EXPECT_EQ(database.fixes[2].ident, "MYFX2 ");
  EXPECT_EQ(report[NavTableId::kFixes].loaded, 2u);
}

// Sections are looked for in a fixed order, each where the previous one ended.
TEST(UserDataLoader, SectionsFollowTheirOrderAndWhatIsNotReadIsReported) {
  struct Case {
    const char* name;
    std::vector<std::string_view> lines;
    std::size_t userAirports;
    std::size_t userBeacons;
    std::size_t userFixes;
    std::size_t problemLine;  // 0: no problem
  };
  const std::string airport = AirportLine("EHXX", "52.1", "4.1", "3", "MY FIELD");
  const std::string vor = BeaconLine("MYV", "52.2", "4.2", "114.00");
  const std::string fix = FixLine("MYFIX", "52.4", "4.4");
  const std::vector<Case> cases = {
      {"no airport section, VOR on line 1", {"#VOR", vor, ""}, 0, 1, 0, 0},
      {"section out of order", {"#FIX", fix, "", "#APT", airport, ""}, 0, 0, 1, 4},
      {"two closing lines", {"#APT", airport, "", "", "#VOR", vor, ""}, 1, 0, 0, 5},
      {"short row ends the section", {"#VOR", vor, "MYV 52", vor, ""}, 0, 1, 0, 4},
      {"empty file", {}, 0, 0, 0, 0},
      {"trailing blank lines", {"#FIX", fix, "", "", "  "}, 0, 0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NavDatabase database = DatabaseWithOneRowEach();
    TestDataFolder folder;
    folder.WriteLines("corvane_user.dat", c.lines);
    LoadReport report;
    LoadUserData(database, folder.path(), report);
    EXPECT_EQ(database.airports.EndIndex(), 1 + c.userAirports);
    EXPECT_EQ(database.beacons.EndIndex(), 1 + c.userBeacons);
    EXPECT_EQ(database.fixes.EndIndex(), 1 + c.userFixes);
    if (c.problemLine == 0) {
      EXPECT_TRUE(report.problems.empty());
    } else {
      ASSERT_EQ(report.problems.size(), 1u);
      EXPECT_EQ(report.problems[0].lineNumber, c.problemLine);
      EXPECT_NE(report.problems[0].reason.find("not read"), std::string::npos);
    }
  }
}

TEST(UserDataLoader, BadAndZeroRowsAreLeftOutAndTheRestAppends) {
  NavDatabase database = DatabaseWithOneRowEach();
  TestDataFolder folder;
  folder.Write("corvane_user.dat",
               {"#APT", AirportLine("ZERO", "0.0", "0.0", "3", "NULL"), AirportLine("BAD", "52.1", "east", "3", "BAD"),
                AirportLine("EHXX", "52.1", "4.1", "3", "MY FIELD"), ""});
  LoadReport report;
  LoadUserData(database, folder.path(), report);
  ASSERT_EQ(database.airports.EndIndex(), 2u);
  EXPECT_EQ(database.airports[1].ident, "EHXX");
  EXPECT_EQ(report[NavTableId::kAirports].droppedAtOrigin, 1u);
  EXPECT_EQ(report[NavTableId::kAirports].droppedBadRows, 1u);
  ASSERT_EQ(report.problems.size(), 1u);
  EXPECT_EQ(ProblemText(report.problems[0]),
            "corvane_user.dat line 3: longitude (columns 16-26): 'east' is not a valid floating point value");
}

}  // namespace
}  // namespace corvane::navdata
