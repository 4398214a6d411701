// The whole conversion on small hand-written sources: box cut, dropped rows with file and line,
// airway runs as the reader joins them, shared borders once, and every row read back at the
// readers' columns.
#include "tools/navimport/navimport_run.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "corvane/plan/procedures.h"
#include "formats/dat_columns.h"
#include "formats/field_cut.h"
#include "formats/text_lines.h"
#include "testing/scratch_folder.h"
#include "tools/navimport/procedure_files.h"

namespace corvane::navimport {
namespace {

namespace fs = std::filesystem;
using formats::ParseDouble;
using formats::TrimmedField;

constexpr const char* kNav =
    "I\n810 Version - test data\n"
    "2  52.00000000  004.00000000      0   396  50    0.0 ZP   ZEEPOINT NDB\n"
    "3  52.54028100  004.85378100      0 11330 130    1.0 SPY  SPIJKERBOOR VOR-DME\n"
    "3  10.00000000  100.00000000      0 11500 130    1.0 FAR  FAR AWAY VOR\n"
    "3  00.00000000  000.00000000      0 11500 130    1.0 NUL  NULL ISLAND VOR\n"
    "2  52.10000000  004.10000000      0  1700  50    0.0 LF   LONG WAVE NDB\n"
    "3  52.2 garbage\n"
    "4  52.30000000  004.70000000      0 11030  18 266.802 IAA  EHAM 27 ILS-cat-I\n"
    "99\n";

constexpr const char* kFix =
    "I\r\n600 Version - test data\r\n"
    " 00.000000  000.000000 0000E\r\n"
    " 52.300000  004.500000 ARTIP\r\n"
    " 52.310000  004.510000 TOOLONG\r\n"
    " xx\r\n"
    " 10.000000  100.000000 FARFX\r\n"
    "99\r\n";

// UL9 forks at SPY (REDFA straight on, KOMET to the side): two runs. UN1 is one chain given out of
// order. "MT E" has a blank in its name. A1 lies outside the box.
constexpr const char* kAwy =
    "I\n640 Version - test data\n"
    "ARTIP  52.300000  004.500000 SPY    52.540281  004.853781 1 050 245 UL9-UN1\n"
    "SPY    52.540281  004.853781 REDFA  52.800000  005.200000 2 050 460 UL9\n"
    "KOMET  52.540000  004.200000 SPY    52.540281  004.853781 2 050 460 UL9\n"
    "ARTIP  52.300000  004.500000 SUGOL  52.000000  004.000000 1 050 245 UN1\n"
    "LAMSO  52.000000  003.000000 SUGOL  52.000000  004.000000 1 050 245 UN1\n"
    "LAMSO  52.000000  003.000000 SUGOL  52.000000  004.000000 2 050 245 UN1\n"
    "FARA   10.000000  100.000000 FARB   11.000000  100.000000 1 050 245 A1\n"
    "ARTIP  52.300000  004.500000 SUGOL  52.000000  004.000000 1 050 245 MT E-UN1\n"
    "BAD    52.0\n"
    "99\n";

constexpr const char* kApt =
    "I\n1000 Version - test data\n"
    "\n"
    "1      -11 1 0 EHAM Schiphol\n"
    "100   45.00   1   2 0.00 1 2 0 09   52.31662258  004.74629843  117.04    0.00 2 12 0 2 27   52.31835819  "
    "004.79692334    0.00    0.00 3  2 1 1\n"
    "21   52.29148492  004.74182032  2  57.90   3.00 API PAPI-4L\n"
    "110   1 0.00   0.05 apron\n"
    "111  52.30000000  004.75000000\n"
    "112  52.30100000  004.75000000  52.30150000  004.75050000\n"
    "113  52.30100000  004.75100000\n"
    "120 line\n"
    "111  52.40000000  004.80000000\n"
    "102 H1   52.30000000  004.76000000  90.00   20.00   20.00   1 0   0 0.00 0\n"
    "10   52.31000000  004.77000000 xxx 168.00   160 0.0 0.0    60 161161  1 0 0 0.25 0\n"
    "1       10 1 0 EHLE Lelystad\n"
    "100   30.00   1   2 0.00 1 2 0 05   52.45000000  005.51000000    0.00    0.00 2 0 0 0 23   52.46000000  "
    "005.54000000    0.00    0.00 2 0 0 0\n"
    "100   30.00   1   2 0.00 1 2 0 N    52.45000000  005.51000000    0.00    0.00 2 0 0 0 S    52.44000000  "
    "005.51000000\n"  // the lighting fields of the second end are missing: the runway still counts
    "100 broken\n"
    "1       20 1 0 ABCDE Ident too long\n"
    "100   30.00   1   2 0.00 1 2 0 05   52.10000000  005.00000000    0.00    0.00 2 0 0 0 23   52.11000000  "
    "005.01000000    0.00    0.00 2 0 0 0\n"
    "16       0 0 1 XSEA Seaplane base\n"
    "101 49.00 1 08 52.0 5.0 26 52.0 5.1\n"
    "17      100 0 0 XHEL Heliport\n"
    "102 H1   52.20000000  004.76000000  90.00   20.00   20.00   1 0   0 0.00 0\n"
    "1       30 1 0 KFAR Far away\n"
    "100   30.00   1   2 0.00 1 2 0 05   10.00000000  100.00000000    0.00    0.00 2 0 0 0 23   10.01000000  "
    "100.01000000    0.00    0.00 2 0 0 0\n"
    "1       40 1 0 XNOR No runway\n"
    "99\n";

// Two countries sharing the border at longitude 10 (arc 0), and two far away sharing arc 3.
constexpr const char* kCountries = R"({"type": "Topology",
  "objects": {"countries": {"type": "GeometryCollection", "geometries": [
    {"type": "Polygon", "arcs": [[0, 1]]}, {"type": "Polygon", "arcs": [[-1, 2]]},
    {"type": "Polygon", "arcs": [[3]]}, {"type": "Polygon", "arcs": [[-4]]}]}},
  "arcs": [[[10, 50], [10, 51]], [[10, 51], [9, 51], [9, 50], [10, 50]],
           [[10, 50], [11, 50], [11, 51], [10, 51]], [[100, 10], [101, 10]]]})";
constexpr const char* kLand = R"({"type": "Topology",
  "objects": {"land": {"type": "GeometryCollection", "geometries": [
    {"type": "Polygon", "arcs": [[0]]}, {"type": "Polygon", "arcs": [[1]]}]}},
  "arcs": [[[-5, 44], [-5, 46], [-4, 46]], [[100, 10], [101, 10]]]})";

class NavImportRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "xp");
    fs::create_directories(root_ / "geo");
    WriteGzip(root_ / "xp" / "nav.dat.gz", kNav);
    WritePlain(root_ / "xp" / "fix.dat", kFix);
    WritePlain(root_ / "xp" / "awy.dat", kAwy);
    WritePlain(root_ / "xp" / "apt.dat", kApt);
    WritePlain(root_ / "geo" / "countries-50m.json", kCountries);
    WritePlain(root_ / "geo" / "land-50m.json", kLand);
    options_.xplaneFolder = root_ / "xp";
    options_.geoFolder = root_ / "geo";
    options_.outFolder = root_ / "out";
    options_.box = GeoBox{45.0, -30.0, 70.0, 20.0};
    options_.layoutAirports = {"EHAM", "XNOR", "ZZZZ"};
  }

  static void WritePlain(const fs::path& path, std::string_view text) { std::ofstream(path, std::ios::binary) << text; }
  static void WriteGzip(const fs::path& path, std::string_view text) {
    gzFile file = gzopen(path.string().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(gzwrite(file, text.data(), static_cast<unsigned>(text.size())), static_cast<int>(text.size()));
    gzclose(file);
  }
  std::vector<std::string> Lines(const char* fileName) const {
    return formats::ReadTextLines(options_.outFolder / fileName);
  }
  std::string RawText(const char* fileName) const {
    std::ifstream in(options_.outFolder / fileName, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  corvane::test_support::ScratchFolder scratch_;
  const fs::path& root_ = scratch_.path();
  NavImportOptions options_;
};

TEST_F(NavImportRunTest, BeaconsAndFixesReadBackAtTheReadersColumns) {
  const NavImportResult result = RunNavImport(options_);
  EXPECT_TRUE(result.errors.empty());
  namespace beacon = formats::beacon_columns;
  const std::vector<std::string> vors = Lines(kVorFile);
  ASSERT_EQ(vors.size(), 1u);
  EXPECT_EQ(TrimmedField(vors[0], beacon::kIdent), "SPY");
  EXPECT_FLOAT_EQ(static_cast<float>(ParseDouble(TrimmedField(vors[0], beacon::kLatitude))), 52.540281f);
  EXPECT_FLOAT_EQ(static_cast<float>(ParseDouble(TrimmedField(vors[0], beacon::kLongitude))), 4.853781f);
  EXPECT_EQ(TrimmedField(vors[0], beacon::kFrequency), "113.30");
  const std::vector<std::string> ndbs = Lines(kNdbFile);
  ASSERT_EQ(ndbs.size(), 2u);
  EXPECT_EQ(TrimmedField(ndbs[0], beacon::kFrequency), "396.00");
  EXPECT_EQ(TrimmedField(ndbs[1], beacon::kFrequency), "1700.0");

  namespace fix = formats::fix_columns;
  const std::vector<std::string> fixes = Lines(kFixFile);
  ASSERT_EQ(fixes.size(), 1u);
  EXPECT_EQ(std::string(formats::CutField(fixes[0], fix::kIdent)) + " ", "ARTIP ");
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(fixes[0], fix::kLatitude)), 52.3);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(fixes[0], fix::kLongitude)), 4.5);
  // Lines end with CR LF.
  EXPECT_EQ(RawText(kFixFile), fixes[0] + "\r\n");

  const ImportReport& report = result.report;
  EXPECT_EQ(report.outsideBox("nav.dat.gz"), 1u);
  EXPECT_EQ(report.outsideBox("fix.dat"), 1u);
  const std::string text = report.FullText();
  for (const char* expected :
       {"nav.dat.gz:6: position 0/0", "nav.dat.gz:8: malformed navaid row", "fix.dat:3: position 0/0",
        "fix.dat:5: ident longer than 5 characters: TOOLONG", "fix.dat:6: malformed fix row"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  EXPECT_EQ(report.written(kVorFile), 1u);
  EXPECT_EQ(report.written(kNdbFile), 2u);
}

// The airway file read as its reader reads it: 19 header lines, then consecutive points with the
// same name (field 2 up to its blank) make segments.
std::set<std::string> SegmentsAsRead(const std::vector<std::string>& lines, std::set<char>& levels) {
  std::set<std::string> segments;
  std::string previousName;
  std::string previousIdent;
  for (std::size_t index = formats::airway_fields::kHeaderLines; index < lines.size(); ++index) {
    const std::string& line = lines[index];
    if (line.empty() || line[0] == ';') {
      continue;
    }
    const std::string_view field = formats::CommaField(line, formats::airway_fields::kAirwayName);
    const std::string name(field.substr(0, field.find(' ')));
    const std::string ident(formats::CommaField(line, formats::airway_fields::kIdent));
    ParseDouble(formats::CommaField(line, formats::airway_fields::kLatitude));
    ParseDouble(formats::CommaField(line, formats::airway_fields::kLongitude));
    if (name == previousName) {
      segments.insert(name + ":" + std::min(previousIdent, ident) + "-" + std::max(previousIdent, ident));
      levels.insert(line.back());
    }
    previousName = name;
    previousIdent = ident;
  }
  return segments;
}

TEST_F(NavImportRunTest, AirwayRunsAreJoinedByTheReaderExactlyAsChained) {
  const NavImportResult result = RunNavImport(options_);
  const std::vector<std::string> lines = Lines(kAirwayFile);
  ASSERT_GT(lines.size(), formats::airway_fields::kHeaderLines);
  for (std::size_t index = 0; index < formats::airway_fields::kHeaderLines; ++index) {
    EXPECT_EQ(lines[index].substr(0, 1), ";") << "header line " << index + 1;
  }
  EXPECT_NE(lines[formats::airway_fields::kHeaderLines].substr(0, 1), ";");
  std::set<char> levels;
  EXPECT_EQ(SegmentsAsRead(lines, levels),
            (std::set<std::string>{"UL9:ARTIP-SPY", "UL9:REDFA-SPY", "UL9:KOMET-SPY", "UN1:ARTIP-SPY",
                                   "UN1:ARTIP-SUGOL", "UN1:LAMSO-SUGOL", "MTE:ARTIP-SUGOL"}));
  EXPECT_EQ(levels, (std::set<char>{'L', 'H', 'B'}));
  EXPECT_EQ(result.report.outsideBox("awy.dat"), 1u);
  const std::string text = result.report.FullText();
  EXPECT_NE(text.find("awy.dat:11: malformed airway row"), std::string::npos) << text;
  EXPECT_NE(text.find("airway \"MT E\" written as \"MTE\""), std::string::npos) << text;
}

TEST_F(NavImportRunTest, AirportsRunwaysAndLayouts) {
  const NavImportResult result = RunNavImport(options_);
  namespace apt = formats::airport_columns;
  const std::vector<std::string> airports = Lines(kAirportFile);
  ASSERT_EQ(airports.size(), 2u);
  EXPECT_EQ(TrimmedField(airports[0], apt::kIdent), "EHAM");
  EXPECT_EQ(TrimmedField(airports[0], apt::kElevation), "-11");
  EXPECT_EQ(formats::CutField(airports[0], apt::kName), "Schiphol");
  // Centre of the box around the runway ends.
  EXPECT_NEAR(ParseDouble(TrimmedField(airports[0], apt::kLatitude)), 52.3174904, 1e-6);
  EXPECT_NEAR(ParseDouble(TrimmedField(airports[0], apt::kLongitude)), 4.7716108, 1e-6);
  EXPECT_EQ(TrimmedField(airports[1], apt::kIdent), "EHLE");

  namespace rwy = formats::runway_columns;
  const std::vector<std::string> runways = Lines(kRunwayFile);
  ASSERT_EQ(runways.size(), 6u);
  const std::vector<std::tuple<std::string, std::string, int, int>> expected = {
      {"EHAM", "09 ", 86, 1723},  {"EHAM", "27 ", 266, 1723}, {"EHLE", "05 ", 61, 1158},
      {"EHLE", "23 ", 241, 1158}, {"EHLE", "N  ", 180, 555},  {"EHLE", "S  ", 0, 555},
  };
  for (std::size_t index = 0; index < expected.size(); ++index) {
    const auto& [ident, designator, heading, halfLength] = expected[index];
    const std::string& line = runways[index];
    EXPECT_EQ(formats::CutField(line, rwy::kAirportIdent), ident) << line;
    EXPECT_EQ(formats::CutField(line, rwy::kDesignator), designator) << line;
    EXPECT_EQ(formats::ParseInt(TrimmedField(line, rwy::kHeading)), heading) << line;
    EXPECT_NEAR(formats::ParseInt(TrimmedField(line, rwy::kHalfLength)), halfLength, 1) << line;
  }
  // The ILS of 27, course made magnetic with SPY's variation of 1 degree east; 09 has none.
  EXPECT_EQ(runways[0].size(), rwy::kHalfLength.last);
  EXPECT_GE(runways[1].size(), rwy::kLabelMinLength);
  EXPECT_EQ(formats::CutField(runways[1], rwy::kExtraText), "110.30 266");

  const std::string text = result.report.FullText();
  for (const char* wanted :
       {"apt.dat:18: land runway row has too few fields: EHLE", "apt.dat:19: ident is not 1 to 4 characters: ABCDE",
        "apt.dat:27: land airport without a usable land runway: XNOR"}) {
    EXPECT_NE(text.find(wanted), std::string::npos) << wanted << "\n" << text;
  }
  EXPECT_EQ(result.report.outsideBox("apt.dat"), 1u);
  EXPECT_NE(text.find("skipped 1 seaplane bases, 1 heliports"), std::string::npos) << text;
  EXPECT_NE(text.find("no land airport ZZZZ"), std::string::npos) << text;

  // The layout: header, runway, helipad, then the outline with its nodes and the taxiway; not the
  // lighting row, nor the nodes of the line feature.
  namespace layout = formats::layout_columns;
  const std::vector<std::string> rows = Lines(kLayoutFile);
  std::vector<std::string> codes;
  for (const std::string& row : rows) {
    codes.push_back(row.substr(0, row.find(' ')));
  }
  EXPECT_EQ(codes,
            (std::vector<std::string>{"I", "1000", "", "1", "100", "102", "110", "111", "112", "113", "10", "99"}));
  const std::string& header = rows[3];
  EXPECT_EQ(header.substr(0, 3), layout::kHeaderCodeRead);
  EXPECT_EQ(formats::TrimmedField(header, layout::kHeaderElevation), "-11");
  EXPECT_EQ(header.substr(layout::kHeaderIdentFirst - 1, 4), "EHAM");
  // Runway ends at 36-47 / 49-61 and 92-103 / 105-117, designator 32-34.
  const std::string& runway = rows[4];
  EXPECT_EQ(TrimmedField(runway, formats::Column{32, 34}), "09");
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(runway, formats::Column{36, 47})), 52.31662258);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(runway, formats::Column{49, 61})), 4.74629843);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(runway, formats::Column{92, 103})), 52.31835819);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(runway, formats::Column{105, 117})), 4.79692334);
  // Helipad: 9-20, 22-34, heading 36-41, length 44-49.
  const std::string& helipad = rows[5];
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(helipad, formats::Column{9, 20})), 52.3);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(helipad, formats::Column{22, 34})), 4.76);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(helipad, formats::Column{36, 41})), 90.0);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(helipad, formats::Column{44, 49})), 20.0);
  // Nodes: 5-16 and 18-30.
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(rows[8], layout::kTaxiNodeLatitude)), 52.301);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(rows[8], layout::kTaxiNodeLongitude)), 4.75);
  // Old-style taxiway: 5-16, 18-30, heading 36-41, length 43-47, width 58-61.
  const std::string& taxiway = rows[10];
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(taxiway, formats::Column{5, 16})), 52.31);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(taxiway, formats::Column{18, 30})), 4.77);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(taxiway, formats::Column{36, 41})), 168.0);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(taxiway, formats::Column{43, 47})), 160.0);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(taxiway, formats::Column{58, 61})), 60.0);
}

TEST_F(NavImportRunTest, GeoLayersWithEachBorderOnceAndTheBoxCut) {
  const NavImportResult result = RunNavImport(options_);
  namespace geo = formats::geo_columns;
  const std::vector<std::string> lines = Lines(kGeoFile);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], ";LAYER1");
  // Coast: (44,-5)-(46,-5) is cut at 45°N; (46,-5)-(46,-4) stays; the far segment is dropped.
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(lines[1], geo::kLatitude1)), 45.0);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(lines[1], geo::kLongitude1)), -5.0);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(lines[1], geo::kLatitude2)), 46.0);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(lines[2], geo::kLongitude2)), -4.0);
  EXPECT_EQ(lines[3], ";LAYER2");
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(lines[4], geo::kLatitude1)), 50.0);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(lines[4], geo::kLongitude1)), 10.0);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(lines[4], geo::kLatitude2)), 51.0);
  EXPECT_DOUBLE_EQ(ParseDouble(TrimmedField(lines[4], geo::kLongitude2)), 10.0);
  EXPECT_EQ(result.report.outsideBox("land-50m.json"), 1u);
  EXPECT_EQ(result.report.outsideBox("countries-50m.json"), 1u);
}

TEST_F(NavImportRunTest, MissingAndBrokenSourcesAreReportedAndTheRestIsWritten) {
  fs::remove(root_ / "xp" / "awy.dat");
  WritePlain(root_ / "geo" / "land-50m.json", "{ not json");
  const NavImportResult result = RunNavImport(options_);
  ASSERT_EQ(result.errors.size(), 2u);
  EXPECT_NE(result.errors[0].find("awy.dat: not found"), std::string::npos) << result.errors[0];
  EXPECT_NE(result.errors[1].find("land-50m.json: not JSON"), std::string::npos) << result.errors[1];
  EXPECT_FALSE(fs::exists(options_.outFolder / kAirwayFile));
  EXPECT_FALSE(fs::exists(options_.outFolder / kGeoFile));
  EXPECT_EQ(Lines(kVorFile).size(), 1u);
  EXPECT_EQ(Lines(kAirportFile).size(), 2u);
  // The report file names the errors too.
  EXPECT_NE(RawText(kReportFile).find("Error: "), std::string::npos);
}

TEST_F(NavImportRunTest, CapacityLimitsLeaveRoomForTheUserFile) {
  // Without a box everything in the sources is kept: the far VOR, fix and airport come in.
  options_.box.reset();
  const NavImportResult result = RunNavImport(options_);
  EXPECT_EQ(Lines(kVorFile).size(), 2u);
  EXPECT_EQ(Lines(kFixFile).size(), 2u);
  EXPECT_EQ(Lines(kAirportFile).size(), 3u);
  EXPECT_EQ(result.report.outsideBox("apt.dat"), 0u);
}

TEST_F(NavImportRunTest, ProcedureFilesReadWithoutProceduresAndAFoldersOwnStays) {
  options_.box.reset();
  fs::create_directories(options_.outFolder);
  const std::string ownStars = "own\nstar\nfile\n[EHAM ARTI1A ARTIP\n  TF          ARTIP  52.511214    5.569081\n";
  WritePlain(options_.outFolder / "NavStar.DAT", ownStars);
  RunNavImport(options_);
  // The folder still holds the one star file under its own name (a plain exists() would also find it
  // by the other name where file names ignore case).
  std::vector<std::string> starFiles;
  for (const fs::directory_entry& entry : fs::directory_iterator(options_.outFolder)) {
    const std::string name = entry.path().filename().string();
    if (name == kStarFile || name == "NavStar.DAT") starFiles.push_back(name);
  }
  EXPECT_EQ(starFiles, std::vector<std::string>{"NavStar.DAT"});
  EXPECT_EQ(RawText("NavStar.DAT"), ownStars);
  for (const auto& [fileName, points] : {std::pair{kSidFile, 0}, std::pair{"NavStar.DAT", 1}}) {
    SCOPED_TRACE(fileName);
    plan::ProcedureTable table;
    const plan::ProcedureLoadResult loaded = plan::LoadProcedures(options_.outFolder, fileName, "EHAM", table);
    EXPECT_EQ(loaded.outcome, plan::ProcedureLoadOutcome::kLoaded);
    EXPECT_TRUE(loaded.problems.empty());
    EXPECT_EQ(table.pointCount(), points);
  }
}

// An airport asked for by --layout-airports whose elevation does not fit the layout header stopped the whole
// airport step: no airport, runway or layout file was written. Now only its own rows are left out.
TEST_F(NavImportRunTest, AnAirportTooHighForItsFieldsLeavesTheOthersWritten) {
  const char* source = std::getenv("CORVANE_SOURCE_DIR");
  fs::copy_file(fs::path(source != nullptr ? source : "../..") / "tools" / "navimport" / "fuzz_findings" /
                    "apt_elevation_too_large.dat",
                root_ / "xp" / "apt.dat", fs::copy_options::overwrite_existing);
  options_.layoutAirports = {"EHAM", "EHXX"};
  const NavImportResult result = RunNavImport(options_);
  for (const std::string& error : result.errors) EXPECT_EQ(error.find("airports"), std::string::npos) << error;
  const std::vector<std::string> layout = Lines(kLayoutFile);
  EXPECT_NE(std::find_if(layout.begin(), layout.end(),
                         [](const std::string& line) { return line.find("EHAM") != std::string::npos; }),
            layout.end());
  EXPECT_EQ(Lines(kAirportFile).size(), 1u);
}

}  // namespace
}  // namespace corvane::navimport
