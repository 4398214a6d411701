// Plans in from other planners: every export read back gives the plan again, a PLN as MSFS writes
// it loads, and a file that does not read names its line or element.
#include "corvane/exchange/plan_file_import.h"

#include <gtest/gtest.h>

#include "corvane/exchange/export_file.h"
#include "corvane/exchange/test_plans.h"
#include "corvane/plan/plan_listing.h"
#include "formats/field_cut.h"

namespace corvane::exchange {
namespace {

using plan::WaypointKind;
using testing::PlanOf;

std::unique_ptr<navdata::NavDatabase> Database() {
  auto database = std::make_unique<navdata::NavDatabase>();
  database->airports.OpenForAppend(2);
  database->airports.Append({52.3086f, 4.76389f, "EHAM ", "-11", "SCHIPHOL"});
  database->airports.Append({63.985f, -22.6056f, "BIKF ", "171", "KEFLAVIK"});
  database->airports.Close();
  database->beacons.OpenForAppend(2);
  database->beacons.Append({navdata::BeaconKind::kVor, 52.5403f, 4.8538f, "SPY", "113.30", "SPIJKERBOOR"});
  // A beacon of the same name far away is another point.
  database->beacons.Append({navdata::BeaconKind::kVor, 10.0f, 10.0f, "MY", "111.11", "ELSEWHERE"});
  database->beacons.Close();
  database->fixes.OpenForAppend(1);
  database->fixes.Append({53.8396f, 3.9425f, "LONAM "});
  database->fixes.Close();
  return database;
}

// As the plan holds it after an import: stored idents, each kind once.
std::unique_ptr<plan::FlightPlan> Flight() {
  return PlanOf({{WaypointKind::kAirport, "EHAM ", 52.3086f, 4.76389f, -11},
                 {WaypointKind::kVor, "SPY", 52.5403f, 4.8538f, 24000},
                 {WaypointKind::kFix, "LONAM ", 53.8396f, 3.9425f},
                 {WaypointKind::kNdb, "MY", 62.1069f, -7.5878f},
                 {WaypointKind::kUserPoint, "FIX", 63.0f, -15.25f},
                 {WaypointKind::kAirport, "BIKF ", 63.985f, -22.6056f, 171}});
}

// The plan text parser keeps idents without their blank, as every parsed plan has them.
void ExpectSamePlan(const plan::FlightPlan& read, const plan::FlightPlan& written, bool parsedText = false) {
  ASSERT_EQ(read.ListedCount(), written.ListedCount());
  for (std::int32_t i = 0; i < written.ListedCount(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(read[i].kind, written[i].kind);
    EXPECT_EQ(read[i].ident, parsedText ? std::string(formats::TrimBlanks(written[i].ident)) : written[i].ident);
    EXPECT_NEAR(read[i].lat, written[i].lat, 1e-5);
    EXPECT_NEAR(read[i].lon, written[i].lon, 1e-5);
    EXPECT_EQ(read[i].altitude, written[i].altitude);
  }
}

std::string Text(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

TEST(PlanFileImport, ExportThenLoadGivesThePlanBack) {
  const auto database = Database();
  const auto written = Flight();
  for (const ExportFormat format : {ExportFormat::kPln, ExportFormat::kFms, ExportFormat::kFms11}) {
    SCOPED_TRACE(static_cast<int>(format));
    const std::string text = Text(ExportLines(*written, format, database->airwaySegments));
    const std::optional<ForeignPlanFormat> kind = ForeignPlanFormatOf(text);
    ASSERT_EQ(kind, format == ExportFormat::kPln ? ForeignPlanFormat::kPln : ForeignPlanFormat::kFms);
    const ForeignPlanRead read = ReadForeignPlan(text, *kind, *database, 320);
    ASSERT_FALSE(read.error) << *read.error;
    ExpectSamePlan(*read.plan, *written);
    EXPECT_EQ((*read.plan)[1].info, "113.30");  // from the database
    EXPECT_EQ((*read.plan)[3].info, ".");       // MY far from the database's MY
  }
  // Our own plan text is no foreign file; its parser gives the plan back.
  const std::vector<std::string> listing = plan::ListPlan(*written);
  EXPECT_FALSE(ForeignPlanFormatOf(Text(listing)));
  plan::FlightPlan parsed;
  ASSERT_FALSE(plan::ParsePlanText(listing, parsed));
  ExpectSamePlan(parsed, *written, true);
}

// Written by hand from the public format, as MSFS saves a plan: route type, ICAO blocks with regions,
// airways, waypoints at altitude 0 flown at the cruise altitude.
constexpr const char* kMsfsPln = R"(<?xml version="1.0" encoding="UTF-8"?>
<SimBase.Document Type="AceXML" version="1,0">
    <Descr>AceXML Document</Descr>
    <FlightPlan.FlightPlan>
        <Title>EHAM to BIKF</Title>
        <FPType>IFR</FPType>
        <RouteType>HighAlt</RouteType>
        <CruisingAlt>35000.000</CruisingAlt>
        <DepartureID>EHAM</DepartureID>
        <DepartureLLA>N52° 18' 30.96",E4° 45' 50.00",-000011.00</DepartureLLA>
        <DestinationID>BIKF</DestinationID>
        <DestinationLLA>N63° 59' 6.00",W22° 36' 20.16",+000171.00</DestinationLLA>
        <ATCWaypoint id="EHAM">
            <ATCWaypointType>Airport</ATCWaypointType>
            <WorldPosition>N52° 18' 30.96",E4° 45' 50.00",-000011.00</WorldPosition>
            <ICAO><ICAOIdent>EHAM</ICAOIdent></ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="SPY">
            <ATCWaypointType>VOR</ATCWaypointType>
            <WorldPosition>N52° 32' 25.08",E4° 51' 13.68",+000000.00</WorldPosition>
            <ICAO><ICAORegion>EH</ICAORegion><ICAOIdent>SPY</ICAOIdent></ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="LONAM">
            <ATCWaypointType>Intersection</ATCWaypointType>
            <WorldPosition>N53° 50' 22.56",E3° 56' 33.00",+000000.00</WorldPosition>
            <ATCAirway>UL7</ATCAirway>
            <ICAO><ICAORegion>EH</ICAORegion><ICAOIdent>LONAM</ICAOIdent></ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="Top of climb">
            <ATCWaypointType>User</ATCWaypointType>
            <WorldPosition>N60° 0' 0.00",W10° 0' 0.00",+035000.00</WorldPosition>
        </ATCWaypoint>
        <ATCWaypoint id="BIKF">
            <ATCWaypointType>Airport</ATCWaypointType>
            <WorldPosition>N63° 59' 6.00",W22° 36' 20.16",+000171.00</WorldPosition>
            <ICAO><ICAOIdent>BIKF</ICAOIdent></ICAO>
        </ATCWaypoint>
    </FlightPlan.FlightPlan>
</SimBase.Document>
)";

TEST(PlanFileImport, APlanAsTheSimulatorWritesIt) {
  const auto database = Database();
  const ForeignPlanRead read = ReadForeignPlan(kMsfsPln, ForeignPlanFormat::kPln, *database, 280);
  ASSERT_FALSE(read.error) << *read.error;
  const plan::FlightPlan& plan = *read.plan;
  ASSERT_EQ(plan.ListedCount(), 5);
  const WaypointKind kinds[] = {WaypointKind::kAirport, WaypointKind::kVor, WaypointKind::kFix,
                                WaypointKind::kUserPoint, WaypointKind::kAirport};
  const char* idents[] = {"EHAM ", "SPY", "LONAM ", "FIX", "BIKF "};
  const std::int32_t altitudes[] = {-11, 35000, 35000, 35000, 171};
  for (std::int32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(plan[i].kind, kinds[i]);
    EXPECT_EQ(plan[i].ident, idents[i]);
    EXPECT_EQ(plan[i].altitude, altitudes[i]);
    EXPECT_EQ(plan[i].speed, 280);
  }
  EXPECT_NEAR(plan[4].lon, -(22 + 36 / 60.0 + 20.16 / 3600), 1e-5);

  // A version-3 file that counts its rows rather than numbering the last one, padded with empty rows.
  const ForeignPlanRead counted = ReadForeignPlan(
      "I\n3 version\n1\n2\n1 EHAM 0 52.3086 4.76389\n1 BIKF 171 63.985 -22.6056\n0 ---- 0 0.000000 0.000000\n",
      ForeignPlanFormat::kFms, *database, 280);
  ASSERT_FALSE(counted.error) << *counted.error;
  EXPECT_EQ(counted.plan->ListedCount(), 2);
  // The plan's text reads back as the panel's OK takes it.
  plan::FlightPlan parsed;
  EXPECT_FALSE(plan::ParsePlanText(plan::ListPlan(plan), parsed));
}

TEST(PlanFileImport, AFileThatDoesNotReadNamesItsLineOrElement) {
  const auto database = Database();
  struct Case {
    std::string text;
    const char* where;
  };
  const Case cases[] = {
      {"<?xml version=\"1.0\"?>\n<SimBase.Document><FlightPlan.FlightPlan>", "byte "},
      {"<?xml version=\"1.0\"?>\n<SimBase.Document/>", "no FlightPlan.FlightPlan"},
      {"<?xml version=\"1.0\"?><SimBase.Document><FlightPlan.FlightPlan><ATCWaypoint id=\"A\"><WorldPosition>"
       "N52,E4,0</WorldPosition></ATCWaypoint></FlightPlan.FlightPlan></SimBase.Document>",
       "ATCWaypoint 1: WorldPosition"},
      {"I\n2 version\n", "line 2: not FMS version 3 or 11"},
      {"I\n3 version\n1\n1\n1 EHAM 0 52.3 4.7\n1 BIKF 0 north 4.7\n", "line 6:"},
      {"I\n3 version\n1\n3\n1 EHAM 0 52.3 4.7\n1 BIKF 0 63.9 -22.6\n", "before its last waypoint"},
      {"I\n1100 Version\nADEP EHAM\nNUMENR 2\n1 EHAM ADEP 0 52.3\n", "line 5: '1 EHAM ADEP 0 52.3' has 5 fields"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<ForeignPlanFormat> format = ForeignPlanFormatOf(c.text);
    ASSERT_TRUE(format);
    const ForeignPlanRead read = ReadForeignPlan(c.text, *format, *database, 320);
    ASSERT_TRUE(read.error);
    EXPECT_NE(read.error->find(c.where), std::string::npos) << *read.error;
    EXPECT_FALSE(read.plan);
  }
}

}  // namespace
}  // namespace corvane::exchange
