// Loading both file families, the per-file rules, and every kind of bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "corvane/navdata/nav_database_load.h"
#include "corvane/navdata/nav_loaders.h"
#include "corvane/navdata/test_data_folder.h"
#include "corvane/navdata/test_rows.h"
#include "formats/dat_rows.h"
#include "formats/nav_rows.h"

namespace corvane::navdata {
namespace {

using testing::AirportLine;
using testing::BeaconLine;
using testing::FixLine;
using testing::GeoLine;
using testing::HeliportLine;
using testing::RunwayLine;
using testing::TestDataFolder;

template <typename Table>
std::size_t RowsOf(const Table& table) {
  return table.EndIndex();
}

std::vector<std::string> ProblemTexts(const LoadReport& report) {
  std::vector<std::string> texts;
  for (const LoadProblem& problem : report.problems) texts.push_back(ProblemText(problem));
  return texts;
}

// The 19 header lines of the airways file, which hold data the loader must not read.
std::string AirwayFileText(std::initializer_list<std::string_view> points) {
  std::string text;
  for (int i = 0; i < 19; ++i) text += "9,HDR x,1,HDRPT,10.0,10.0,1,H\r\n";
  for (std::string_view point : points) text += std::string(point) + "\r\n";
  return text;
}

void WriteXPlaneFamily(const TestDataFolder& folder) {
  folder.Write("NAVapt.dat", {";airports", AirportLine("EHAM", "52.308613", "4.763889", "-11", "SCHIPHOL"),
                              AirportLine("BIKF", "63.985000", "-22.605556", "171", "KEFLAVIK INTL")});
  folder.Write("NAVvor.dat", {BeaconLine("SPY", "52.540000", "4.853333", "113.30", "SPIJKERBOOR"), "",
                              BeaconLine("KEF", "63.985833", "-22.596389", "112.00", "KEFLAVIK")});
  folder.Write("NAVndb.dat", {BeaconLine("SPR", "52.300000", "4.700000", "387.00")});
  folder.Write("NAVrwy.dat", {RunwayLine("EHAM", " 18R", "52.361000", "4.712000", "183", " 1900", "EXTRA TEXT"),
                              RunwayLine("EHAM", " 36L", "52.361000", "4.712000", "  3", " 1900")});
  folder.Write("NAVwpt.dat",
               {";fixes", FixLine("ARTIP", "52.507778", "5.569444"), FixLine("SUGOL", "52.526667", "3.968333")});
  folder.WriteRaw("NAVawy.dat",
                  AirwayFileText({"1,UL980 x,1,SPY,52.540000,4.853333,1,H", "1,UL980 x,2,ARTIP,52.507778,5.569444,2,H",
                                  "1,UL980 x,3,TEBRO,53.000000,7.000000,3,B", "1,A7 x,1,SUGOL,52.526667,3.968333,1,L",
                                  "1,A7 x,2,SPY,52.540000,4.853333,1,L"}));
  folder.Write("corvane_geo.dat",
               {GeoLine("52.0", "4.0", "52.5", "4.5"), ";LAYER3", GeoLine("-10.25", "-30.5", "-10.5", "-30.75")});
}

TEST(NavDatabaseLoad, XPlaneFamilyFillsEveryTableWithItsIdentConventions) {
  TestDataFolder folder;
  WriteXPlaneFamily(folder);
  folder.Write("fsxils.dat", {"IAMS  52.300000   4.700000  110.10 183 -1  ILS THAT IS NOT READ"});
  NavDatabase database;
  std::vector<std::string> captions;
  const LoadReport report = LoadNavDatabase(database, folder.path(), DatabaseSource::kXPlane,
                                            [&](std::string_view caption) { captions.emplace_back(caption); });

  EXPECT_TRUE(report.problems.empty()) << ::testing::PrintToString(ProblemTexts(report));
  EXPECT_EQ(captions, std::vector<std::string>(kLoadStepCaptions.begin(), kLoadStepCaptions.end()));

  ASSERT_EQ(RowsOf(database.airports), 2u);
  EXPECT_EQ(database.airports[0].ident, "EHAM ");
  EXPECT_FLOAT_EQ(database.airports[0].latitude, 52.308613f);
  EXPECT_FLOAT_EQ(database.airports[0].longitude, 4.763889f);
  EXPECT_EQ(database.airports[0].elevationText, "-11");
  EXPECT_EQ(database.airports[1].name, "KEFLAVIK INTL");

  ASSERT_EQ(RowsOf(database.beacons), 3u);
  EXPECT_EQ(database.beacons[0].ident, "SPY");
  EXPECT_EQ(database.beacons[0].kind, BeaconKind::kVor);
  EXPECT_EQ(database.beacons[0].frequencyText, "113.30");
  EXPECT_EQ(database.beacons[0].name, " ");
  EXPECT_EQ(database.beacons[1].ident, "KEF");
  EXPECT_EQ(database.beacons[2].ident, "SPR");
  EXPECT_EQ(database.beacons[2].kind, BeaconKind::kNdb);
  EXPECT_EQ(database.beacons[2].frequencyText, "387.00");
  EXPECT_EQ(database.beacons[2].name, "");

  ASSERT_EQ(RowsOf(database.runwayEnds), 2u);
  EXPECT_EQ(database.runwayEnds[0].designator, "18R");
  EXPECT_FLOAT_EQ(database.runwayEnds[0].headingDegTrue, 183.0f);
  EXPECT_FLOAT_EQ(database.runwayEnds[0].halfLengthM, 1900.0f);
  EXPECT_EQ(database.runwayEnds[0].extraText, "EXTRA TEXT");
  EXPECT_EQ(database.runwayEnds[1].designator, "36L");
  EXPECT_FLOAT_EQ(database.runwayEnds[1].headingDegTrue, 3.0f);
  EXPECT_EQ(database.runwayEnds[1].extraText, "");

  EXPECT_EQ(RowsOf(database.heliports), 0u);

  ASSERT_EQ(RowsOf(database.fixes), 2u);
  EXPECT_EQ(database.fixes[0].ident, "ARTIP ");
  EXPECT_FLOAT_EQ(database.fixes[1].longitude, 3.968333f);
  EXPECT_EQ(database.fixes[2].ident, "");

  // Header lines are ignored; single points of an airway join into segments, level from the "to" line.
  ASSERT_EQ(RowsOf(database.airwaySegments), 3u);
  const AirwaySegmentRow& first = database.airwaySegments[0];
  EXPECT_EQ(first.airwayName, "UL980 ");
  EXPECT_EQ(first.fromIdent, "SPY ");
  EXPECT_EQ(first.toIdent, "ARTIP ");
  EXPECT_FLOAT_EQ(first.fromLatitude, 52.54f);
  EXPECT_FLOAT_EQ(first.toLongitude, 5.569444f);
  EXPECT_EQ(database.airwaySegments[1].fromIdent, "ARTIP ");
  EXPECT_EQ(database.airwaySegments[1].level, AirwayLevel::kBoth);
  EXPECT_EQ(database.airwaySegments[2].airwayName, "A7 ");
  EXPECT_EQ(database.airwaySegments[2].fromIdent, "SUGOL ");
  EXPECT_EQ(database.airwaySegments[2].level, AirwayLevel::kLow);
  // Nothing after the last point: the row after the last segment is the terminator.
  EXPECT_TRUE(database.airwaySegments[3].airwayName.empty());

  ASSERT_EQ(RowsOf(database.geoSegments), 2u);
  EXPECT_EQ(database.geoSegments[0].layer, 1);
  EXPECT_EQ(database.geoSegments[1].layer, 3);
  EXPECT_FLOAT_EQ(database.geoSegments[1].longitude2, -30.75f);

  EXPECT_EQ(report[NavTableId::kAirports].loaded, 2u);
  EXPECT_EQ(report[NavTableId::kBeacons].loaded, 3u);
  EXPECT_EQ(report[NavTableId::kAirwaySegments].loaded, 3u);
  EXPECT_EQ(report[NavTableId::kGeoSegments].loaded, 2u);
}

// The compiler's writers and the loaders agree on every column; names are matched ignoring case.
TEST(NavDatabaseLoad, FsFamilyReadsWhatTheCompilerWrites) {
  TestDataFolder folder;
  const formats::RunwayRow runway{"EHAM", 18, 2, 36, 1, 52.361, 4.712, 183.4, 3800.0};
  const formats::RunwayEndLines runwayLines = formats::FormatRunwayRows(runway);
  folder.Write("FSXARP.dat",
               {formats::FormatAirportRow({"EHAM", 52.308613, 4.763889, -3353, std::nullopt, "Schiphol"})});
  folder.Write("FSXRWY.dat", {runwayLines.primary, runwayLines.opposite});
  folder.Write("FSXHEL.dat", {formats::FormatHeliportRow({"EH01", 52.12345678, -4.5, 90, 30, 20})});
  folder.Write("FSXVOR.dat",
               {formats::FormatBeaconRow({"SPY", 52.54, 4.853333, 113300000, "SPIJKERBOOR", "C:\\s\\a.bgl"}),
                formats::FormatBeaconRow({"PAM", 52.33, 5.09, 117800000, "PAM", "C:\\s\\b.bgl"})});
  folder.Write("FSXILS.dat", {formats::FormatIlsRow({"IAMS", 52.3, 4.7, 110100000, 183.0, -1.0,
                                                     "ILS RWY 18R SCHIPHOL AMSTERDAM", "C:\\s\\c.bgl"})});
  folder.Write("FSXNDB.dat", {formats::FormatBeaconRow({"SPR", 52.3, 4.7, 38700, "SPRING", "C:\\s\\d.bgl"})});
  folder.Write("NAVwpt.dat", {formats::FormatFixRow("ARTIP", 52.507778, -5.569444)});
  const std::string point1 = formats::FormatAirwayPointRow({"UL980", 1, "SPY", 52.54, 4.853333, 'H'});
  const std::string point2 = formats::FormatAirwayPointRow({"UL980", 2, "ARTIP", 52.507778, -5.569444, 'L'});
  folder.WriteRaw("NAVawy.dat", AirwayFileText({point1, point2}));
  folder.Write("corvane_geo.dat",
               {formats::FormatGeoLayerRow(4), formats::FormatGeoSegmentRow(-33.5, 151.25, -33.75, 151.5)});

  NavDatabase database;
  const LoadReport report = LoadNavDatabase(database, folder.path(), DatabaseSource::kFs);
  EXPECT_TRUE(report.problems.empty()) << ::testing::PrintToString(ProblemTexts(report));

  ASSERT_EQ(RowsOf(database.airports), 1u);
  EXPECT_EQ(database.airports[0].ident, "EHAM ");
  EXPECT_EQ(database.airports[0].elevationText, "-11");
  EXPECT_EQ(database.airports[0].name, "Schiphol");
  EXPECT_NEAR(database.airports[0].latitude, 52.308613, 1e-5);

  ASSERT_EQ(RowsOf(database.runwayEnds), 2u);
  EXPECT_EQ(database.runwayEnds[0].designator, "18R");
  EXPECT_FLOAT_EQ(database.runwayEnds[0].headingDegTrue, 183.0f);
  EXPECT_FLOAT_EQ(database.runwayEnds[0].halfLengthM, 1900.0f);
  EXPECT_EQ(database.runwayEnds[1].designator, "36L");
  EXPECT_FLOAT_EQ(database.runwayEnds[1].headingDegTrue, 3.0f);

  ASSERT_EQ(RowsOf(database.heliports), 1u);
  EXPECT_NEAR(database.heliports[0].latitude, 52.12345678, 1e-5);
  EXPECT_FLOAT_EQ(database.heliports[0].longitude, -4.5f);

  // VORs, then the ILS, then NDBs; the 7-character VOR name may run into the path separator.
  ASSERT_EQ(RowsOf(database.beacons), 4u);
  EXPECT_EQ(database.beacons[0].name, "SPIJKER");
  EXPECT_EQ(database.beacons[1].name, "PAM;C:\\");
  EXPECT_EQ(database.beacons[2].kind, BeaconKind::kIls);
  EXPECT_EQ(database.beacons[2].ident, "IAMS");
  EXPECT_EQ(database.beacons[2].frequencyText, "110.10 182 -1 ");
  EXPECT_EQ(database.beacons[2].name, "ILS RWY 18R SCHIPHOL");
  EXPECT_EQ(database.beacons[3].kind, BeaconKind::kNdb);
  EXPECT_EQ(database.beacons[3].frequencyText, "387.00");

  ASSERT_EQ(RowsOf(database.fixes), 1u);
  EXPECT_EQ(database.fixes[0].ident, "ARTIP ");
  EXPECT_FLOAT_EQ(database.fixes[0].longitude, -5.569444f);
  ASSERT_EQ(RowsOf(database.airwaySegments), 1u);
  EXPECT_EQ(database.airwaySegments[0].airwayName, "UL980 ");
  EXPECT_EQ(database.airwaySegments[0].toIdent, "ARTIP ");
  EXPECT_EQ(database.airwaySegments[0].level, AirwayLevel::kLow);
  ASSERT_EQ(RowsOf(database.geoSegments), 1u);
  EXPECT_EQ(database.geoSegments[0].layer, 4);
  EXPECT_FLOAT_EQ(database.geoSegments[0].longitude2, 151.5f);
}

// Which empty lines are skipped and which are broken rows; comment lines are skipped everywhere.
TEST(NavDatabaseLoad, EmptyLinesAreSkippedOnlyInTheVorAndIlsFiles) {
  struct Case {
    std::string_view file;
    std::string row;
    NavTableId table;
    bool emptyLineIsProblem;
  };
  const std::vector<Case> cases = {
      {"fsxvor.dat", BeaconLine("SPY", "52.5", "4.8", "113.30", "NAME"), NavTableId::kBeacons, false},
      {"fsxils.dat", BeaconLine("IAMS", "52.5", "4.8", "110.10"), NavTableId::kBeacons, false},
      {"fsxndb.dat", BeaconLine("SPR", "52.5", "4.8", "387.00"), NavTableId::kBeacons, true},
      {"fsxarp.dat", AirportLine("EHAM", "52.5", "4.8", "-11", "NAME"), NavTableId::kAirports, true},
      {"fsxrwy.dat", RunwayLine("EHAM", " 18R", "52.5", "4.8", "183", "1900"), NavTableId::kRunwayEnds, true},
      {"fsxhel.dat", HeliportLine("EH01", "52.5", "4.8"), NavTableId::kHeliports, true},
      {"NAVwpt.dat", FixLine("ARTIP", "52.5", "4.8"), NavTableId::kFixes, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TestDataFolder folder;
    folder.Write(c.file, {c.row, "", "; a comment", c.row});
    NavDatabase database;
    const LoadReport report = LoadNavDatabase(database, folder.path(), DatabaseSource::kFs);
    EXPECT_EQ(report[c.table].loaded, 2u);
    std::size_t problemsInFile = 0;
    for (const LoadProblem& problem : report.problems) {
      if (problem.fileName != c.file) continue;
      ++problemsInFile;
      EXPECT_EQ(problem.lineNumber, 2u);
      EXPECT_NE(problem.reason.find("line too short"), std::string::npos) << problem.reason;
    }
    EXPECT_EQ(problemsInFile, c.emptyLineIsProblem ? 1u : 0u);
  }
}

// A row at 0/0 would end its table: it is left out (counted, not reported) and the rows after it load.
TEST(NavDatabaseLoad, RowsAtZeroZeroAreLeftOutEverywhere) {
  struct Case {
    std::string_view file;
    std::string zeroRow;
    std::string goodRow;
    NavTableId table;
  };
  const std::vector<Case> cases = {
      {"fsxarp.dat", AirportLine("ZERO", "0.000000", "0.000000", "0", "NULL ISLAND"),
       AirportLine("EHAM", "52.5", "4.8", "-11", "NAME"), NavTableId::kAirports},
      {"fsxhel.dat", HeliportLine("ZERO", "0.0", "0.0"), HeliportLine("EH01", "52.5", "4.8"), NavTableId::kHeliports},
      {"fsxvor.dat", BeaconLine("ZRO", "0.0", "0.0", "113.30"), BeaconLine("SPY", "52.5", "4.8", "113.30"),
       NavTableId::kBeacons},
      {"fsxils.dat", BeaconLine("IZRO", "0.0", "0.0", "110.10"), BeaconLine("IAMS", "52.5", "4.8", "110.10"),
       NavTableId::kBeacons},
      {"fsxndb.dat", BeaconLine("ZR", "0.0", "0.0", "387.00"), BeaconLine("SPR", "52.5", "4.8", "387.00"),
       NavTableId::kBeacons},
      {"fsxrwy.dat", RunwayLine("ZERO", " 09 ", "0.0", "0.0", "90", "100"),
       RunwayLine("EHAM", " 18R", "52.5", "4.8", "183", "1900"), NavTableId::kRunwayEnds},
      {"NAVwpt.dat", FixLine("ZERO", "0.0", "0.0"), FixLine("ARTIP", "52.5", "4.8"), NavTableId::kFixes},
      {"corvane_geo.dat", GeoLine("0.0", "0.0", "1.0", "1.0"), GeoLine("52.0", "4.0", "52.5", "4.5"),
       NavTableId::kGeoSegments},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TestDataFolder folder;
    folder.Write(c.file, {c.goodRow, c.zeroRow, c.goodRow});
    NavDatabase database;
    const LoadReport report = LoadNavDatabase(database, folder.path(), DatabaseSource::kFs);
    EXPECT_EQ(report[c.table].loaded, 2u);
    EXPECT_EQ(report[c.table].droppedAtOrigin, 1u);
    for (const LoadProblem& problem : report.problems) EXPECT_NE(problem.fileName, c.file) << ProblemText(problem);
  }
}

TEST(NavDatabaseLoad, BadRowsAreReportedWithFileLineAndTextAndLoadingGoesOn) {
  TestDataFolder folder;
  WriteXPlaneFamily(folder);
  folder.Write("NAVwpt.dat", {FixLine("ARTIP", "52.5x", "5.5"), "SHORT", FixLine("SUGOL", "52.5", "3.9")});
  folder.Write("NAVapt.dat", {AirportLine("EHAM", "52.3", "4.7,5", "-11", "SCHIPHOL"),
                              AirportLine("BIKF", "63.9", "-22.6", "171", "KEFLAVIK")});
  folder.Write("NAVrwy.dat", {RunwayLine("EHAM", " 18R", "52.3", "4.7", "1x3", "1900")});
  folder.WriteRaw("NAVawy.dat",
                  AirwayFileText({"1,UL980 x,1,SPY,52.54,4.85,1,H", "1,UL980 x,2,ARTIP,north,5.56,2,H",
                                  "1,UL980 x,3,TEBRO,53.0,7.0,3,H", "1,UL980", "1,UL980 x,4,XX,53,7,1,Q"}));
  folder.Write("corvane_geo.dat", {GeoLine("52.0", "4.0", "52.5", "4.5"), ";LAYERx", "  52.000000   4.000000"});
  NavDatabase database;
  const LoadReport report = LoadNavDatabase(database, folder.path(), DatabaseSource::kXPlane);

  const std::vector<std::string> expected = {
      "NAVwpt.dat line 1: latitude (columns 6-15): '52.5x' is not a valid floating point value",
      "NAVwpt.dat line 2: line too short: latitude (columns 6-15) missing",
      "NAVrwy.dat line 1: heading (columns 32-34): '1x3' is not a valid floating point value",
      "NAVapt.dat line 1: longitude (columns 16-26): '4.7,5' is not a valid floating point value",
      "corvane_geo.dat line 2: layer line without a digit in column 7; layer 1 goes on",
      "corvane_geo.dat line 3: line too short: latitude 2 (columns 25-35) missing",
      "NAVawy.dat line 21: latitude or longitude (fields 5 and 6): 'north' is not a valid floating point value",
      "NAVawy.dat line 23: too few comma-separated fields (6 needed)",
      "NAVawy.dat line 24: airway level: the line does not end with H, B or L",
  };
  EXPECT_EQ(ProblemTexts(report), expected);
  EXPECT_EQ(report[NavTableId::kFixes].loaded, 1u);
  EXPECT_EQ(report[NavTableId::kFixes].droppedBadRows, 2u);
  EXPECT_EQ(database.fixes[0].ident, "SUGOL ");
  EXPECT_EQ(database.airports[0].ident, "BIKF ");
  EXPECT_EQ(RowsOf(database.runwayEnds), 0u);
  EXPECT_EQ(RowsOf(database.geoSegments), 1u);
  // The unreadable point is left out and breaks the airway: no leg from SPY to TEBRO.
  EXPECT_EQ(RowsOf(database.airwaySegments), 0u);
  // Tables of files without problems are whole.
  EXPECT_EQ(RowsOf(database.beacons), 3u);
}

// A point that cannot be used, at 0/0 or unreadable, breaks its airway: the file has no leg across it.
TEST(NavDatabaseLoad, DroppedAirwayPointBreaksTheChain) {
  for (const std::string_view dropped : {"1,UL980 x,3,ZERO,0.000000,0.000000,1,H", "1,UL980 x,3,BAD,north,7.0,1,H"}) {
    SCOPED_TRACE(dropped);
    TestDataFolder folder;
    WriteXPlaneFamily(folder);
    folder.WriteRaw("NAVawy.dat",
                    AirwayFileText({"1,UL980 x,1,SPY,52.54,4.85,1,H", "1,UL980 x,2,ARTIP,52.50,5.56,1,H", dropped,
                                    "1,UL980 x,4,TEBRO,53.0,7.0,1,H", "1,UL980 x,5,EEL,53.16,6.66,1,H"}));
    NavDatabase database;
    LoadNavDatabase(database, folder.path(), DatabaseSource::kXPlane);
    ASSERT_EQ(RowsOf(database.airwaySegments), 2u);
    EXPECT_EQ(database.airwaySegments[0].fromIdent + database.airwaySegments[0].toIdent, "SPY ARTIP ");
    EXPECT_EQ(database.airwaySegments[1].fromIdent + database.airwaySegments[1].toIdent, "TEBRO EEL ");
  }
}

TEST(NavDatabaseLoad, MissingFilesAreReportedAndTheOthersStillLoad) {
  TestDataFolder folder;
  folder.Write("navwpt.DAT", {FixLine("ARTIP", "52.5", "4.8")});
  NavDatabase database;
  const LoadReport report = LoadNavDatabase(database, folder.path(), DatabaseSource::kFs);
  std::vector<std::string> missing;
  for (const LoadProblem& problem : report.problems) {
    EXPECT_EQ(problem.lineNumber, 0u);
    EXPECT_EQ(problem.reason.rfind("file not found", 0), 0u) << problem.reason;
    missing.push_back(problem.fileName);
  }
  // The user file is optional and not reported.
  EXPECT_EQ(missing, (std::vector<std::string>{"fsxvor.dat", "fsxils.dat", "fsxndb.dat", "fsxrwy.dat", "fsxarp.dat",
                                               "fsxhel.dat", "corvane_geo.dat", "NAVawy.dat"}));
  EXPECT_EQ(RowsOf(database.fixes), 1u);
  EXPECT_EQ(RowsOf(database.beacons), 0u);
}

// A file with more rows than a table's capacity raises the capacity: every row is kept, the user's
// rows after them, the terminator after those; a small file leaves the table at its own capacity.
TEST(NavDatabaseLoad, TablesGrowToFilesLargerThanTheirCapacity) {
  TestDataFolder folder;
  std::string heliports;
  for (int i = 0; i < 2005; ++i) heliports += HeliportLine("H", "10.0", std::to_string(1 + i * 0.01)) + "\r\n";
  folder.WriteRaw("fsxhel.dat", heliports);
  std::string airports;
  for (int i = 0; i < 25001; ++i)
    airports += AirportLine("A" + std::to_string(i % 1000), "10.0", "20.0", "1", "X") + "\r\n";
  folder.WriteRaw("fsxarp.dat", airports);
  folder.Write("corvane_user.dat", {"#APT", AirportLine("USER", "1.0", "1.0", "5", "MINE"), ""});
  NavDatabase database;
  const LoadReport report = LoadNavDatabase(database, folder.path(), DatabaseSource::kFs);

  EXPECT_EQ(RowsOf(database.heliports), 2005u);
  EXPECT_EQ(report[NavTableId::kHeliports].droppedOverCapacity, 0u);
  EXPECT_EQ(RowsOf(database.airports), 25002u);
  EXPECT_EQ(database.airports[25001].ident, "USER");
  EXPECT_EQ(report[NavTableId::kAirports].droppedOverCapacity, 0u);
  EXPECT_EQ(database.beacons.MaxRows(), BeaconTable::kMaxRows);
  for (const std::string& text : ProblemTexts(report)) EXPECT_EQ(text.find("is full"), std::string::npos) << text;
  // A reload starts again from the table's own capacity.
  folder.WriteRaw("fsxhel.dat", HeliportLine("H", "10.0", "1.0") + "\r\n");
  LoadNavDatabase(database, folder.path(), DatabaseSource::kFs);
  EXPECT_EQ(database.heliports.MaxRows(), HeliportTable::kMaxRows);
}

TEST(NavDatabaseLoad, ReloadingRefillsFromTheStartAndAppendsUserRowsOnce) {
  TestDataFolder folder;
  WriteXPlaneFamily(folder);
  folder.Write("corvane_user.dat", {"#FIX", FixLine("MYFIX", "50.0", "5.0"), ""});
  NavDatabase database;
  LoadNavDatabase(database, folder.path(), DatabaseSource::kXPlane);
  const LoadReport second = LoadNavDatabase(database, folder.path(), DatabaseSource::kXPlane);
  ASSERT_EQ(RowsOf(database.fixes), 3u);
  EXPECT_EQ(database.fixes[2].ident, "MYFIX ");
  EXPECT_EQ(second[NavTableId::kFixes].loaded, 3u);
  EXPECT_EQ(RowsOf(database.airwaySegments), 3u);
}

}  // namespace
}  // namespace corvane::navdata

namespace corvane::navdata {
namespace {

// Damaged files of every kind: whatever the bytes, the load finishes, every table keeps its
// terminator, and each rejected row is reported.
TEST(NavDatabaseLoad, RandomlyDamagedFilesNeverStopTheLoad) {
  std::mt19937 random(77);
  const std::string alphabet = "0123456789.-+ ,;#LAYERHBL\t\rx";
  const auto damagedLine = [&] {
    std::string line(random() % 60, ' ');
    for (char& c : line)
      c = random() % 10 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    return line;
  };
  const std::vector<std::string_view> files = {
      "fsxarp.dat", "NAVapt.dat", "fsxhel.dat", "fsxvor.dat", "NAVvor.dat", "fsxils.dat",      "fsxndb.dat",
      "NAVndb.dat", "fsxrwy.dat", "NAVrwy.dat", "NAVwpt.dat", "NAVawy.dat", "corvane_geo.dat", "corvane_user.dat"};
  for (int round = 0; round < 5; ++round) {
    TestDataFolder folder;
    for (std::string_view file : files) {
      std::string text;
      for (int i = 0; i < 300; ++i) text += damagedLine() + (random() % 2 ? "\r\n" : "\n");
      folder.WriteRaw(file, text);
    }
    for (DatabaseSource source : {DatabaseSource::kFs, DatabaseSource::kXPlane}) {
      NavDatabase database;
      const LoadReport report = LoadNavDatabase(database, folder.path(), source);
      std::size_t badRows = 0;
      for (const TableLoadCount& count : report.tables) badRows += count.droppedBadRows;
      EXPECT_LE(badRows, report.problems.size());
      EXPECT_EQ(RowsOf(database.airports), report[NavTableId::kAirports].loaded);
      EXPECT_EQ(RowsOf(database.beacons), report[NavTableId::kBeacons].loaded);
      EXPECT_EQ(RowsOf(database.fixes), report[NavTableId::kFixes].loaded);
      EXPECT_EQ(RowsOf(database.airwaySegments), report[NavTableId::kAirwaySegments].loaded);
      EXPECT_EQ(RowsOf(database.geoSegments), report[NavTableId::kGeoSegments].loaded);
    }
  }
}

}  // namespace
}  // namespace corvane::navdata
