// The airport layout loader on the demo data and on small files made for the rows and the faults.
#include "corvane/airport/airport_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "corvane/navdata/test_data_folder.h"
#include "formats/dat_rows.h"
#include "formats/field_cut.h"
#include "formats/fixed_row.h"
#include "formats/text_lines.h"

namespace corvane::airport {
namespace {

using formats::Column;
using formats::FixedRow;
using navdata::DatabaseSource;
using navdata::testing::TestDataFolder;

std::filesystem::path DemoFolder() {
  const char* source = std::getenv("CORVANE_SOURCE_DIR");
  return std::filesystem::path(source != nullptr ? source : ".") / "data" / "demo";
}

std::string Printed(const char* format, double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

// X-Plane rows as navimport writes them.
std::string XPlaneRunwayRow(std::string_view designator, double latitude1, double longitude1, double latitude2,
                            double longitude2) {
  return "100   45.11   1   1 0.00 1 2 0 " + std::string(designator) + " " + Printed("%12.8f", latitude1) + " " +
         Printed("%13.8f", longitude1) + "  244.15    0.00 3  0 1 1 25R " + Printed("%12.8f", latitude2) + " " +
         Printed("%13.8f", longitude2) + "  244.15    0.00 3  2 1 1";
}
std::string XPlaneHelipadRow(double latitude, double longitude, double headingDeg, double lengthM) {
  return FixedRow("102 H1")
      .Put({9, 20}, Printed("%12.8f", latitude))
      .Put({22, 34}, Printed("%13.8f", longitude))
      .Put({36, 41}, Printed("%6.2f", headingDeg))
      .Put({44, 49}, Printed("%6.2f", lengthM))
      .Append("   24.08 2 0 0 0.00 1")
      .Take();
}
std::string XPlaneTaxiwayRow(double latitude, double longitude, double headingDeg, int lengthFt, int widthFt) {
  return FixedRow("10 ")
      .Put({5, 16}, Printed("%12.8f", latitude))
      .Put({18, 30}, Printed("%13.8f", longitude))
      .Put({32, 34}, "A1 ")
      .Put({36, 41}, Printed("%6.2f", headingDeg))
      .Put({43, 47}, Printed("%5.0f", lengthFt))
      .Put({58, 61}, Printed("%4.0f", widthFt))
      .Append(" 1 0 0 0.25 0 0000.0000")
      .Take();
}
std::string NodeRow(std::string_view code, double latitude, double longitude) {
  return FixedRow(code).Put({5, 16}, Printed("%12.8f", latitude)).Put({18, 30}, Printed("%13.8f", longitude)).Take();
}
std::string XPlaneHeader(std::string_view ident) { return "1       12 1 0 " + std::string(ident) + " Test Field"; }

// A runway-file line; `extra` fills the columns after the half-length.
std::string RunwayFileLine(std::string_view ident, double latitude, double longitude, std::string_view extra) {
  formats::RunwayEndRow row{.airportIdent = ident,
                            .number = 9,
                            .latitudeDeg = latitude,
                            .longitudeDeg = longitude,
                            .headingDegTrue = 90,
                            .lengthM = 2000};
  return formats::FormatRunwayEndRow(row) + std::string(extra);
}

void WriteFile(const TestDataFolder& folder, std::string_view name, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) formats::AppendTextLine(text, line);
  folder.WriteRaw(name, text);
}

struct Loaded {
  AirportLoadResult result;
  AirportLayout layout;
};

Loaded Load(const std::filesystem::path& folder, DatabaseSource source, std::string_view ident,
            std::size_t capacity = kAirportLayoutCapacity) {
  LayoutFileCache files;
  Loaded loaded;
  loaded.layout.capacity = capacity;
  loaded.result = LoadAirportLayout(files, folder, source, ident, loaded.layout);
  return loaded;
}

// Runway ends of the demo runway file by airport and designator: centre, heading, half-length.
struct RunwayEnd {
  double latitude;
  double longitude;
  int headingDeg;
  int halfLengthM;
};
std::map<std::string, RunwayEnd> RunwayEnds(std::string_view ident) {
  std::map<std::string, RunwayEnd> ends;
  for (const std::string& line : formats::ReadTextLines(DemoFolder() / "NAVrwy.dat")) {
    if (!line.starts_with(ident)) continue;
    ends[std::string(formats::TrimmedField(line, {6, 8}))] = {
        std::stod(line.substr(9, 10)), std::stod(line.substr(19, 11)), std::stoi(line.substr(31, 3)),
        std::stoi(line.substr(35, 5))};
  }
  return ends;
}

// Every runway of the layout lies where the runway file puts it, as long and along the same heading:
// the two files come from different source rows, so this checks the columns and the geometry.
TEST(AirportLayoutDemo, RunwaysAgreeWithTheRunwayFile) {
  if (!std::filesystem::exists(DemoFolder() / "corvanxX_apt.dat")) GTEST_SKIP() << "no demo layout";
  struct Case {
    std::string_view ident;
    std::string_view elevationText;
    std::size_t runways;
  };
  for (const Case& c : {Case{"EHAM", "   -11", 6}, Case{"BIKF", "   170", 2}}) {
    SCOPED_TRACE(c.ident);
    const Loaded loaded = Load(DemoFolder(), DatabaseSource::kXPlane, c.ident);
    ASSERT_TRUE(loaded.result.loaded()) << loaded.result.failure;
    EXPECT_TRUE(loaded.result.problems.empty()) << navdata::ProblemText(loaded.result.problems.front());
    EXPECT_EQ(loaded.layout.elevationText, c.elevationText);
    const auto ends = RunwayEnds(c.ident);
    std::size_t runways = 0;
    for (const LayoutItem& item : loaded.layout.items) {
      if (item.kind == kHelipadKind || item.kind == kTaxiwayKind || item.kind == kLabelKind) continue;
      ++runways;
      SCOPED_TRACE(item.kind);
      const auto end = ends.find(item.kind);
      ASSERT_NE(end, ends.end());
      EXPECT_NEAR(item.latitude, end->second.latitude, 0.002);
      EXPECT_NEAR(item.longitude, end->second.longitude, 0.003);
      EXPECT_NEAR(item.headingDegTrue, end->second.headingDeg, 2.0);
      EXPECT_NEAR(item.lengthFt, end->second.halfLengthM * 2 * 3.2808, item.lengthFt * 0.03);
      EXPECT_FLOAT_EQ(item.widthFt, item.lengthFt / 30);
    }
    EXPECT_EQ(runways, c.runways);
    // The pavement outlines give many pieces; every piece lies within the airport.
    const auto centre = LayoutCentre(loaded.layout);
    ASSERT_TRUE(centre.has_value());
    std::size_t pieces = 0;
    for (const LayoutItem& item : loaded.layout.items) {
      if (item.kind != kTaxiwayKind) continue;
      ++pieces;
      EXPECT_NEAR(item.latitude, centre->latitude, 0.05);
      EXPECT_NEAR(item.longitude, centre->longitude, 0.08);
    }
    EXPECT_GT(pieces, 100u);
  }
}

TEST(AirportLayoutRows, XPlaneRowsBecomeItems) {
  TestDataFolder folder;
  WriteFile(folder, "corvanxX_apt.dat",
            {"I", "1000 Version", "", XPlaneHeader("TEST"),
             // Ends 3000 m apart along the meridian.
             XPlaneRunwayRow("18 ", 50.0, 4.0, 50.0 - 3000.0 / 1852.0 / 60.0, 4.0),
             XPlaneHelipadRow(50.01, 4.01, 245.11, 24.08), XPlaneTaxiwayRow(50.02, 4.02, 90.5, 300, 75),
             // A ring closed back to its first node, then a hole whose first node repeats: no piece
             // joins the two rings, none spans the repeated node.
             "110 2 0.00 335.00 Apron", NodeRow("111 ", 50.0, 4.0), NodeRow("112 ", 50.0, 4.01),
             NodeRow("113 ", 50.01, 4.01), NodeRow("111 ", 50.002, 4.002), NodeRow("112 ", 50.002, 4.002),
             NodeRow("114 ", 50.004, 4.002), "110 2 0.00 335.00 Lone", NodeRow("111 ", 50.03, 4.03),
             // Nodes outside an outline are not pavement.
             "120 line", NodeRow("111 ", 51.0, 5.0), NodeRow("111 ", 51.1, 5.1), "", XPlaneHeader("NEXT"),
             XPlaneTaxiwayRow(60.0, 6.0, 0, 100, 50), "99"});
  WriteFile(folder, "NAVrwy.dat",
            {"I", "header", RunwayFileLine("TEST", 50.1, 4.1, " ILS 110.10"), RunwayFileLine("TEST", 50.2, 4.2, ""),
             RunwayFileLine("NEXT", 60.1, 6.1, " ILS 111.10")});

  const Loaded loaded = Load(folder.path(), DatabaseSource::kXPlane, "TEST");
  ASSERT_TRUE(loaded.result.loaded()) << loaded.result.failure;
  EXPECT_TRUE(loaded.result.problems.empty());
  EXPECT_EQ(loaded.layout.elevationText, "    12");
  struct Expected {
    std::string_view kind;
    float latitude, longitude, headingDeg, lengthFt, widthFt;
    std::string_view label;
  };
  const Expected expected[] = {
      {"18", 50.0f - 1500.0f / 1852 / 60, 4.0f, 180, 9842.4f, 328.08f, ""},
      {"H", 50.01f, 4.01f, 245.11f, 79.0f, 79.0f, ""},
      {"xxx", 50.02f, 4.02f, 90.5f, 300, 75, ""},
      {"xxx", 50.0f, 4.005f, 90, 2343.4f, 150, ""},  // 0.01 degree of longitude at 50 degrees north
      {"xxx", 50.005f, 4.01f, 0, 3645.3f, 150, ""},
      {"xxx", 50.005f, 4.005f, 212, 4333.5f, 150, ""},  // the closing edge, back to the first node
      {"xxx", 50.003f, 4.002f, 0, 729.06f, 150, ""},
      {"xxx", 50.003f, 4.002f, 180, 729.06f, 150, ""},
      // At the threshold of the end heading 090, 1000 m west of the centre the row gives.
      {"txt", 50.1f, 4.1f - 1000.0f / 1852 / 60 / 0.64145f, 0, 0, 0, "ILS 110.10"},
  };
  ASSERT_EQ(loaded.layout.items.size(), std::size(expected));
  for (std::size_t index = 0; index < std::size(expected); ++index) {
    SCOPED_TRACE(index);
    const LayoutItem& item = loaded.layout.items[index];
    const Expected& want = expected[index];
    EXPECT_EQ(item.kind, want.kind);
    EXPECT_NEAR(item.latitude, want.latitude, 1e-5);
    EXPECT_NEAR(item.longitude, want.longitude, 1e-5);
    EXPECT_NEAR(item.headingDegTrue, want.headingDeg, 1e-3);
    EXPECT_NEAR(item.lengthFt, want.lengthFt, want.lengthFt * 0.002);
    EXPECT_NEAR(item.widthFt, want.widthFt, want.widthFt * 0.002);
    EXPECT_EQ(item.label, want.label);
  }
}

TEST(AirportLayoutRows, FlightSimRowsAsTheCompilerWritesThem) {
  TestDataFolder folder;
  const formats::AirportRow airport{.ident = "TEST", .elevationFt = 42, .name = "Test Field"};
  const formats::RunwayRow runway{.airportIdent = "TEST",
                                  .primaryNumber = 9,
                                  .secondaryNumber = 27,
                                  .latitudeDeg = 50.0,
                                  .longitudeDeg = 4.0,
                                  .headingDegTrue = 90.0,
                                  .lengthM = 3000};
  // A four-digit half-length must stay whole.
  const formats::HeliportRow helipad{.airportIdent = "TEST",
                                     .latitudeDeg = 50.01,
                                     .longitudeDeg = 4.01,
                                     .headingDegTrue = 45,
                                     .lengthM = 2468,
                                     .widthM = 20};
  WriteFile(
      folder, "CORVANFS_APT.DAT",
      {formats::LayoutSeparatorRow(), formats::FormatLayoutHeaderRow(airport), formats::FormatRunwayLabelRow(runway),
       formats::FormatHelipadRow(helipad), formats::LayoutTaxiSegmentStartRow(), formats::FormatTaxiNodeRow(50.0, 4.0),
       formats::FormatTaxiNodeRow(50.01, 4.0)});
  WriteFile(folder, "FSXRWY.dat",
            {RunwayFileLine("XXXX", 1, 1, ""), RunwayFileLine("TEST", 9, 9, " ILS 110.10"),
             RunwayFileLine("TEST", 50.1, 4.1, " ILS 110.10")});

  const Loaded loaded = Load(folder.path(), DatabaseSource::kFs, "TEST");
  ASSERT_TRUE(loaded.result.loaded()) << loaded.result.failure;
  EXPECT_TRUE(loaded.result.problems.empty());
  ASSERT_EQ(loaded.layout.items.size(), 4u);  // the first two runway-file lines are its opening lines
  const LayoutItem& runwayItem = loaded.layout.items[0];
  EXPECT_EQ(runwayItem.kind, "27");
  EXPECT_FLOAT_EQ(runwayItem.headingDegTrue, 90);
  EXPECT_NEAR(runwayItem.lengthFt, 3000 * 3.2808, 0.1);
  const LayoutItem& helipadItem = loaded.layout.items[1];
  EXPECT_EQ(helipadItem.kind, "H");
  EXPECT_FLOAT_EQ(helipadItem.headingDegTrue, 45);
  EXPECT_NEAR(helipadItem.lengthFt, 2468 * 3.2808, 0.1);
  EXPECT_FLOAT_EQ(helipadItem.widthFt, helipadItem.lengthFt);
  EXPECT_EQ(loaded.layout.items[2].kind, "xxx");
  EXPECT_NEAR(loaded.layout.items[2].lengthFt, 0.6 * 1852 * 3.2808, 1.0);
  EXPECT_EQ(loaded.layout.items[3].label, "ILS 110.10");
}

TEST(AirportLayoutFaults, FailuresKeepTheViewClosedAndSayWhy) {
  TestDataFolder bothFiles;
  WriteFile(bothFiles, "corvanxX_apt.dat", {"I", "1000", XPlaneHeader("TEST"), XPlaneTaxiwayRow(50, 4, 0, 100, 50)});
  WriteFile(bothFiles, "NAVrwy.dat", {"I", "header"});
  TestDataFolder noRunways;
  WriteFile(noRunways, "corvanxX_apt.dat", {"I", "1000", XPlaneHeader("TEST"), XPlaneTaxiwayRow(50, 4, 0, 100, 50)});
  TestDataFolder noLayout;
  WriteFile(noLayout, "NAVrwy.dat", {"I", "header"});
  struct Case {
    std::string_view name;
    const TestDataFolder& folder;
    std::string_view ident;
    std::string_view failureStart;
  };
  for (const Case& c : {Case{"unknown ident", bothFiles, "EHAM", "Airport not found!"},
                        Case{"empty ident", bothFiles, "", "Airport not found!"},
                        Case{"no runway file", noRunways, "TEST", "navrwy.dat: file not found"},
                        Case{"no layout file", noLayout, "TEST", "corvanxX_apt.dat: file not found"}}) {
    SCOPED_TRACE(c.name);
    LayoutFileCache files;
    AirportLayout layout;
    layout.items.resize(3);  // left from an earlier load
    const AirportLoadResult result =
        LoadAirportLayout(files, c.folder.path(), DatabaseSource::kXPlane, c.ident, layout);
    EXPECT_FALSE(result.loaded());
    EXPECT_TRUE(result.failure.starts_with(c.failureStart)) << result.failure;
    EXPECT_TRUE(layout.items.empty());
  }
}

TEST(AirportLayoutFaults, ItemsBeyondTheCapacityAreLeftOutAndReported) {
  TestDataFolder folder;
  std::vector<std::string> lines = {"I", "1000", XPlaneHeader("TEST")};
  for (int piece = 0; piece < 5; ++piece) lines.push_back(XPlaneTaxiwayRow(50 + piece * 0.001, 4, 0, 100, 50));
  WriteFile(folder, "corvanxX_apt.dat", lines);
  WriteFile(folder, "NAVrwy.dat", {"I", "header", RunwayFileLine("TEST", 50.1, 4.1, " ILS 110.10")});

  const Loaded loaded = Load(folder.path(), DatabaseSource::kXPlane, "TEST", 3);
  EXPECT_TRUE(loaded.result.loaded());
  EXPECT_EQ(loaded.layout.items.size(), 3u);
  EXPECT_EQ(loaded.result.itemsLeftOut, 3u);
  ASSERT_EQ(loaded.result.problems.size(), 1u);
  EXPECT_EQ(loaded.result.problems[0].fileName, "corvanxX_apt.dat");
  EXPECT_EQ(loaded.result.problems[0].lineNumber, 7u);
}

TEST(AirportLayoutFaults, BadRowsAreReportedWithFileLineAndReasonAndSkipped) {
  TestDataFolder folder;
  // Where letter case does not count, the report names the file as it was asked for.
  if (folder.IgnoresCase()) GTEST_SKIP() << "file names are reported in the case asked for here";
  std::string badLatitude = XPlaneTaxiwayRow(50, 4, 0, 100, 50);
  badLatitude.replace(6, 3, "x.y");
  WriteFile(folder, "corvanxX_apt.dat",
            {"I", "1000", XPlaneHeader("TEST"), "100 too short", XPlaneTaxiwayRow(50, 4, 0, 100, 50), badLatitude,
             "110 2 0.00 335.00 Apron", NodeRow("111 ", 50.0, 4.0), "111  broken", NodeRow("111 ", 50.0, 4.01),
             NodeRow("111 ", 50.0, 4.02)});
  WriteFile(folder, "NAVrwy.dat", {"I", "header", "TEST 09   5x.000000   4.000000  90  1000 ILS 110.10"});

  const Loaded loaded = Load(folder.path(), DatabaseSource::kXPlane, "TEST");
  // The taxiway, and one piece: none spans the broken node.
  EXPECT_EQ(loaded.layout.items.size(), 2u);
  struct Expected {
    std::string_view file;
    std::size_t line;
    std::string_view reasonPart;
  };
  const Expected expected[] = {{"corvanxX_apt.dat", 4, "line too short"},
                               {"corvanxX_apt.dat", 6, "latitude (columns 5-16)"},
                               {"corvanxX_apt.dat", 9, "latitude"},
                               {"NAVrwy.dat", 3, "latitude (columns 10-19)"}};
  ASSERT_EQ(loaded.result.problems.size(), std::size(expected));
  for (std::size_t index = 0; index < std::size(expected); ++index) {
    SCOPED_TRACE(index);
    EXPECT_EQ(loaded.result.problems[index].fileName, expected[index].file);
    EXPECT_EQ(loaded.result.problems[index].lineNumber, expected[index].line);
    EXPECT_NE(loaded.result.problems[index].reason.find(expected[index].reasonPart), std::string::npos)
        << loaded.result.problems[index].reason;
  }
}

// The index answers as a scan of the file would: the first header in file order whose ident is the
// typed ident whole; a partial ident finds neither a header nor the runway labels of the airports it
// begins; and a file written again is read again.
TEST(AirportLayoutIndex, FindsTheFirstHeaderOfTheWholeIdentAndFollowsFileChanges) {
  TestDataFolder folder;
  WriteFile(folder, "NAVrwy.dat",
            {"I", "header", RunwayFileLine("EGLL", 53.1, 4.1, " ILS 110.10"), RunwayFileLine("EHAM", 52.1, 4.1, "")});
  // Trailing blanks after the last row make a file of another size with the same rows.
  const auto writeLayout = [&](double longitude, std::size_t trailingBlanks) {
    WriteFile(folder, "corvanxX_apt.dat",
              {"I", "1000", XPlaneHeader("EHAMX"), XPlaneTaxiwayRow(51, longitude, 0, 100, 50), XPlaneHeader("EHAM"),
               XPlaneTaxiwayRow(52, longitude, 0, 100, 50), XPlaneHeader("EGLL"),
               XPlaneTaxiwayRow(53, longitude, 0, 100, 50) + std::string(trailingBlanks, ' ')});
  };
  writeLayout(4, 0);
  LayoutFileCache files;
  AirportLayout layout;
  struct Case {
    std::string_view ident;
    float latitude;  // of the one item; 0: not found
  };
  for (const Case& c : {Case{"EHAM", 52}, Case{"EHAMX", 51}, Case{"EG", 0}, Case{"E", 0}, Case{"EHA", 0}}) {
    SCOPED_TRACE(c.ident);
    const AirportLoadResult result = LoadAirportLayout(files, folder.path(), DatabaseSource::kXPlane, c.ident, layout);
    if (c.latitude == 0) {
      EXPECT_EQ(result.failure, kAirportNotFound);
      EXPECT_TRUE(layout.items.empty());
      continue;
    }
    ASSERT_TRUE(result.loaded());
    ASSERT_EQ(layout.items.size(), 1u);
    EXPECT_FLOAT_EQ(layout.items[0].latitude, c.latitude);
  }
  writeLayout(5.5, 1);  // a longer file: the size changes even within the file time's resolution
  ASSERT_TRUE(LoadAirportLayout(files, folder.path(), DatabaseSource::kXPlane, "EGLL", layout).loaded());
  ASSERT_EQ(layout.items.size(), 2u);  // its taxiway and its runway label
  EXPECT_FLOAT_EQ(layout.items[0].longitude, 5.5f);
}

TEST(AirportLayoutCentre, MeanOfTheItemsUpToTheFirstAtLatitudeZero) {
  AirportLayout layout;
  EXPECT_FALSE(LayoutCentre(layout).has_value());
  layout.items = {
      {.latitude = 50, .longitude = 4}, {.latitude = 52, .longitude = 6}, {}, {.latitude = 9, .longitude = 9}};
  const auto centre = LayoutCentre(layout);
  ASSERT_TRUE(centre.has_value());
  EXPECT_FLOAT_EQ(centre->latitude, 51);
  EXPECT_FLOAT_EQ(centre->longitude, 5);
}

}  // namespace
}  // namespace corvane::airport
