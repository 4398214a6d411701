// The X-Plane 11/12 layouts on small hand-written files, one test per trap: the layout chosen from
// line 2, names with blanks read whole, references found by ident, region, kind and terminal area,
// one-way airways turned round, magnetic localizer courses, and the airport's own ICAO code and datum.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/navimport/airport_source.h"
#include "tools/navimport/airway_source.h"
#include "tools/navimport/fix_source.h"
#include "tools/navimport/localizer_source.h"
#include "tools/navimport/navaid_source.h"
#include "tools/navimport/reference_index.h"

namespace corvane::navimport {
namespace {

// BIS is in DA and in GG; TCN is a TACAN with its DME row; ORA is an NDB of an airport's terminal area.
constexpr const char* kNav1200 =
    "I\r\n1200 Version - data cycle 2406, build 20251002, metadata NavXP1200.\r\n"
    "3  36.1  2.0  0 11630 130  -1.000 BIS  ENRT DA BISKRA VOR/DME\r\n"
    "3  10.1 -15.0 0 11370 130   0.000 BIS  ENRT GG BISSAU VOR/DME\r\n"
    "12 36.1  2.0  0 11630 130   0.000 BIS  ENRT DA BISKRA VOR/DME\r\n"
    "3  40.0 -70.0 0 11000 130   0.000 TCN  ENRT K1 SOME AFB TACAN\r\n"
    "12 40.0 -70.0 0 11000 130   0.000 TCN  ENRT K1 SOME AFB TACAN DME\r\n"
    "13 41.0 -71.0 0 11100 40    0.000 DMX  ENRT K1 LONE DME\r\n"
    "2  35.6 -0.6  0   350 50    0.000 ON   DAOO DA ORAN NDB\r\n"
    "2  35.7 -0.7  0   360 50    0.000 ENR  ENRT DA ENROUTE NDB\r\n"
    "14 35.6 -0.6  0 47264 0.0  123.000 R03LZ DAOO DA 03L LPV\r\n"
    "99 the end\r\n";

TEST(XPlaneFormats, NavaidNamesRegionsAndTheIndexFromThe1100Layout) {
  const SourceFile file("earth_nav.dat", kNav1200);
  ImportReport report;
  ReferenceIndex index;
  const Navaids navaids = ReadNavaids(file, GeoBox{}, report, &index);
  ASSERT_EQ(navaids.vors.size(), 2u);
  EXPECT_EQ(navaids.vors[0].name, "BISKRA VOR/DME");
  EXPECT_EQ(navaids.vors[1].region, "GG");
  ASSERT_EQ(navaids.ndbs.size(), 2u);
  EXPECT_EQ(navaids.ndbs[0].terminal, "DAOO");
  EXPECT_EQ(navaids.ndbs[0].name, "ORAN NDB");
  EXPECT_EQ(report.DropCount("earth_nav.dat", "TACAN (no bearing for a VHF receiver)"), 1u);
  EXPECT_EQ(report.drops().size(), 1u);

  // The same ident in two regions is two points; a DME alone is a VHF point; nothing is guessed.
  EXPECT_DOUBLE_EQ(index.Find("BIS", "GG", ReferenceKind::kVhf)->latitudeDeg, 10.1);
  EXPECT_DOUBLE_EQ(index.Find("BIS", "DA", ReferenceKind::kVhf)->latitudeDeg, 36.1);
  EXPECT_TRUE(index.Find("DMX", "K1", ReferenceKind::kVhf));
  EXPECT_TRUE(index.Find("TCN", "K1", ReferenceKind::kVhf));
  EXPECT_TRUE(index.Find("ON", "DA", ReferenceKind::kNdb, "DAOO"));
  EXPECT_FALSE(index.Find("ON", "DA", ReferenceKind::kNdb));
  EXPECT_FALSE(index.Find("BIS", "DA", ReferenceKind::kNdb));
  EXPECT_FALSE(index.Find("BIS", "HB", ReferenceKind::kVhf));
  EXPECT_EQ(index.clashes(), 0u);  // the VOR/DME's two rows are one point
}

TEST(XPlaneFormats, LocalizerRunwayAndCourseByVersion) {
  // One localizer per version: 1100 keeps a true bearing (made magnetic with the VOR's variation),
  // 1150 and 1200 carry magnetic x 360 + true, a value below 360 being magnetic 000.
  const std::string vor = "3  43.5 -116.2 0 11500 130  13.000 BOI  ENRT K1 BOISE VORTAC\n";
  struct Case {
    const char* version;
    const char* bearing;
    std::string label;
  };
  const std::vector<Case> cases = {
      {"1100", "295.200", "110.50 282"},   {"1100", "360.000", "110.50 347"}, {"1150", "101815.200", "110.50 282"},
      {"1200", "94221.749", "110.50 261"}, {"1200", "357.046", "110.50 000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " " + c.bearing);
    const SourceFile file("earth_nav.dat", std::string("I\n") + c.version + " Version\n" + vor +
                                               "4  43.56 -116.22 2858 11050 18 " + c.bearing +
                                               " IBOI KBOI K1 10R ILS-cat-I\n99\n");
    ImportReport report;
    const LocalizerLabels labels = ReadLocalizerLabels(file, report);
    ASSERT_EQ(labels.byRunwayEnd.count("KBOI 10R"), 1u);
    EXPECT_EQ(labels.byRunwayEnd.at("KBOI 10R"), c.label);
    EXPECT_TRUE(report.drops().empty());
  }
}

TEST(XPlaneFormats, FixLayoutsTerminalFixesAndVfrPoints) {
  // 1200: a name with blanks, a region followed by a blank, a terminal fix, a VFR point.
  const SourceFile fix1200("earth_fix.dat",
                           "A\n1200 Version - data cycle 2406, metadata FixXP1200.\n"
                           " 52.1 4.1 ARTIP ENRT EH 2105411 ARTIP\n"
                           " 40.1 -70.1 AAARG ENRT K  2105431\n"
                           " 52.2 4.2 CI18R EHAM EH 4608073\n"
                           " 52.3 4.3 ALFA EHLE EH 2105430 CHARLIE 1\n"
                           " 52.4 4.4 TOOLONG ENRT EH 2105411\n"
                           " 52.5 4.5 SHORT ENRT\n"
                           "\n  \n"
                           "99\n \n");
  // 1101 without the optional type column; 600 still the old three fields.
  const SourceFile fix1101("user_fix.dat", "I\n1101 Version\n 50.0 5.0 MYFIX ENRT ZZ\n99\n");
  const SourceFile fix600("fix.dat", "I\n600 Version\n 50.0 5.0 OLDFX\n 50.0 5.0 OLDFX ENRT ZZ\n99\n");
  ImportReport report;
  ReferenceIndex index;
  const std::vector<Fix> fixes = ReadFixes(fix1200, GeoBox{}, report, &index);
  std::vector<std::string> idents;
  for (const Fix& fix : fixes) idents.push_back(fix.ident);
  EXPECT_EQ(idents, (std::vector<std::string>{"ARTIP", "AAARG"}));
  EXPECT_EQ(report.DropCount("earth_fix.dat", "ident longer than 5 characters"), 1u);
  EXPECT_EQ(report.DropCount("earth_fix.dat", "malformed fix row"), 1u);
  EXPECT_TRUE(index.Find("AAARG", "K", ReferenceKind::kFix));
  EXPECT_TRUE(index.Find("CI18R", "EH", ReferenceKind::kFix, "EHAM"));
  EXPECT_FALSE(index.Find("CI18R", "EH", ReferenceKind::kFix));
  EXPECT_TRUE(index.Find("ALFA", "EH", ReferenceKind::kFix, "EHLE"));
  EXPECT_EQ(ReadFixes(fix1101, GeoBox{}, report, &index).size(), 1u);
  EXPECT_EQ(ReadFixes(fix600, GeoBox{}, report).size(), 1u);
  EXPECT_EQ(report.DropCount("fix.dat", "malformed fix row"), 1u);
}

TEST(XPlaneFormats, AirwayEndsFoundByReferenceAndOneWaySegmentsTurned) {
  ReferenceIndex index;
  index.Add("ABI", "K4", ReferenceKind::kVhf, kEnroute, {32.0, -99.0});
  index.Add("CME", "K2", ReferenceKind::kVhf, kEnroute, {33.0, -104.0});
  index.Add("AANTS", "K6", ReferenceKind::kFix, kEnroute, {30.0, -90.0});
  index.Add("HOAGE", "K6", ReferenceKind::kFix, kEnroute, {31.0, -91.0});
  index.Add("ZP", "EH", ReferenceKind::kNdb, kEnroute, {52.0, 4.0});
  index.Add("TERM", "K6", ReferenceKind::kFix, "KXYZ", {31.5, -91.5});
  const SourceFile file("earth_awy.dat",
                        "I\n1100 Version - data cycle 2406, metadata AwyXP1100.\n"
                        "ABI K4 3 CME K2 3 N 2 250 450 J65\n"
                        "AANTS K6 11 HOAGE K6 11 B 1 51 175 T356-T358\n"
                        "HOAGE K6 11 ZP EH 2 F 1 51 175 X1\n"
                        "ABI K2 3 CME K2 3 N 2 250 450 J66\n"
                        "AANTS K6 11 TERM K6 11 N 1 51 175 T1\n"
                        "ABI K4 3 CME K2 3 X 2 250 450 J67\n"
                        "99\n");
  ImportReport report;
  const std::vector<AirwaySegment> segments = ReadAirwaySegments(file, GeoBox{}, report, &index);
  std::vector<std::string> got;
  for (const AirwaySegment& s : segments) {
    got.push_back(s.airwayName + " " + s.from.ident + "-" + s.to.ident + " " +
                  std::to_string(static_cast<unsigned>(s.level)));
  }
  EXPECT_EQ(got,
            (std::vector<std::string>{"J65 ABI-CME 2", "T356 HOAGE-AANTS 1", "T358 HOAGE-AANTS 1", "X1 HOAGE-ZP 1"}));
  EXPECT_DOUBLE_EQ(segments[1].from.latitudeDeg, 31.0);
  // An end in another region, or only in a terminal area, is not found and not guessed.
  EXPECT_EQ(report.DropCount("earth_awy.dat", "airway end not found among the enroute fixes and navaids"), 2u);
  EXPECT_EQ(report.DropCount("earth_awy.dat", "malformed airway row"), 1u);
}

TEST(XPlaneFormats, AirportIcaoCodeDatumAndNewRowCodes) {
  // Written as 1200 with a row of the 1050 form inside; 1500 is a row code this reader does not know.
  const SourceFile file("apt.dat",
                        "I\r\n1200 Generated by WorldEditor 2.5.0\r\n"
                        "1      100 0 0 XPID Field with a long name\r\n"
                        "1302 city São Paulo do Norte\r\n"
                        "1302 icao_code SBXX\r\n"
                        "1302 iata_code\r\n"
                        "1302 datum_lat -23.5000\r\n"
                        "1302 datum_lon -46.6000\r\n"
                        "100 30.00 1 0 0.25 0 0 0 09 -23.40 -46.70 0 0 1 0 0 0 27 -23.40 -46.50 0 0 1 0 0 0\r\n"
                        "1500 -23.41 -46.61 90.0 0 5 jetway\r\n"
                        "1300 -23.41 -46.62 90.0 gate jets|turboprops Gate A 12\r\n"
                        "1      200 0 0 K1X Small strip\r\n"
                        "100 20.00 1 0 0.25 0 0 0 18 40.10 -80.00 0 0 1 0 0 0 36 40.00 -80.00 0 0 1 0 0 0\r\n"
                        "99\r\n");
  ImportReport report;
  const std::vector<SourceAirport> airports = ReadAirports(
      file, [](std::string_view ident) { return ident == "SBXX"; }, report);
  ASSERT_EQ(airports.size(), 2u);
  EXPECT_EQ(airports[0].ident, "SBXX");
  EXPECT_EQ(airports[0].name, "Field with a long name");
  EXPECT_DOUBLE_EQ(airports[0].latitudeDeg, -23.5);
  EXPECT_DOUBLE_EQ(airports[0].longitudeDeg, -46.6);
  // Wanted under its ICAO code, which comes after the header: every row after the header is gathered.
  ASSERT_EQ(airports[0].layoutRows.size(), 8u);
  EXPECT_EQ(airports[0].layoutRows[0], "1302 city São Paulo do Norte");
  EXPECT_EQ(airports[1].ident, "K1X");
  EXPECT_DOUBLE_EQ(airports[1].latitudeDeg, 40.05);
  EXPECT_TRUE(airports[1].layoutRows.empty());
  EXPECT_TRUE(report.drops().empty());
}

}  // namespace
}  // namespace corvane::navimport
