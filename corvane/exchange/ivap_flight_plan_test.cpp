// The IvAp flight plan: the route string with airways, the keys of the template, the level and the destination.
#include "corvane/exchange/ivap_flight_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "corvane/exchange/test_plans.h"
#include "formats/text_lines.h"
#include "testing/scratch_folder.h"

namespace corvane::exchange {
namespace {

using plan::WaypointKind;
using testing::PlanOf;

// UL7 from SPY through LONAM to VENAS (stored against the flying direction), UN1 from LONAM to XYZ.
navdata::AirwaySegmentTable Airways() {
  navdata::AirwaySegmentTable table;
  table.OpenForAppend(3);
  table.Append({53.8f, 3.9f, 52.5f, 4.8f, "UL7 ", "LONAM ", "SPY ", navdata::AirwayLevel::kHigh});
  table.Append({54.3f, 3.6f, 53.8f, 3.9f, "UL7 ", "VENAS ", "LONAM ", navdata::AirwayLevel::kHigh});
  table.Append({53.8f, 3.9f, 55.0f, 2.0f, "UN1 ", "LONAM ", "XYZ ", navdata::AirwayLevel::kHigh});
  table.Close();
  return table;
}

std::unique_ptr<plan::FlightPlan> PlanThrough(std::initializer_list<const char*> idents,
                                              std::int32_t altitude = 33000) {
  auto plan = PlanOf({});
  std::int32_t i = 0;
  for (const char* ident : idents) {
    (*plan)[i] = plan::Waypoint{50.0f, 1.0f + float(i), ident, ".", WaypointKind::kFix, altitude};
    plan->tail = i++;
  }
  return plan;
}

TEST(IvapFlightPlan, RouteString) {
  struct Case {
    std::initializer_list<const char*> idents;
    const char* route;
  };
  const Case cases[] = {
      {{"EHAM", "SPY", "LONAM", "VENAS", "BIKF"}, "EHAM DCT SPY UL7 VENAS DCT BIKF "},
      // As the tables store them, with their trailing blank.
      {{"EHAM ", "SPY ", "LONAM ", "VENAS ", "BIKF "}, "EHAM DCT SPY UL7 VENAS DCT BIKF "},
      {{"EHAM", "SPY", "LONAM", "XYZ", "BIKF"}, "EHAM DCT SPY UL7 LONAM UN1 XYZ DCT BIKF "},
      {{"EHAM", "AAA", "BBB", "BIKF"}, "EHAM DCT AAA DCT BBB DCT BIKF "},
      // Every run of profile markers is stepped over, however long.
      {{"EHAM", "SPY", "*****", "*****", "*****", "LONAM", "VENAS", "*****", "BIKF"},
       "EHAM DCT SPY UL7 VENAS DCT BIKF "},
  };
  const navdata::AirwaySegmentTable airways = Airways();
  for (const Case& c : cases) EXPECT_EQ(BuildIvapRoute(*PlanThrough(c.idents), airways), c.route);
}

// The keys of a template in IvAp's own order, each with a value to be replaced.
std::vector<std::string> TemplateLines() {
  return {"[FLIGHTPLAN]", "ID=PHCRV",    "RULES=x",       "FLIGHTTYPE=S",   "NUMBER=x",     "ACTYPE=B738",
          "WAKECAT=M",    "EQUIPMENT=S", "TRANSPONDER=S", "DEPICAO=x",      "DEPTIME=1200", "SPEEDTYPE=N",
          "SPEED=x",      "LEVELTYPE=x", "LEVEL=x",       "ROUTE=x",        "DESTICAO=x",   "EET=0300",
          "ALTICAO=x",    "ALTICAO2=x",  "OTHER=x",       "ENDURANCE=0500", "POB=x",        "PIC=CORVANE TEST"};
}

// EHAM (below sea level) over SPY and UL7 to BIKF, with the trailing blanks the tables store.
std::unique_ptr<plan::FlightPlan> AmsterdamToKeflavik(std::int32_t cruiseFt = 33000) {
  return PlanOf({{WaypointKind::kAirport, "EHAM ", 52.3086f, 4.7639f, -11},
                 {WaypointKind::kVor, "SPY ", 52.5403f, 4.8538f, cruiseFt},
                 {WaypointKind::kFix, "LONAM ", 53.8f, 3.9f, cruiseFt},
                 {WaypointKind::kFix, "VENAS ", 54.3f, 3.6f, cruiseFt},
                 {WaypointKind::kDescentMarker, "*****", 60.0f, -10.0f, 12000},
                 {WaypointKind::kAirport, "BIKF ", 63.985f, -22.6056f, 171}});
}

TEST(IvapFlightPlan, FillsTheKeysOfTheTemplate) {
  const IvapFill filled = FillIvapTemplate(TemplateLines(), IvapFlightOf(*AmsterdamToKeflavik(), Airways()));
  EXPECT_TRUE(filled.missingKeys.empty());
  EXPECT_EQ(filled.lines, (std::vector<std::string>{"[FLIGHTPLAN]",
                                                    "ID=PHCRV",
                                                    "RULES=I",
                                                    "FLIGHTTYPE=S",
                                                    "NUMBER=1",
                                                    "ACTYPE=B738",
                                                    "WAKECAT=M",
                                                    "EQUIPMENT=S",
                                                    "TRANSPONDER=S",
                                                    "DEPICAO=EHAM",
                                                    "DEPTIME=1200",
                                                    "SPEEDTYPE=N",
                                                    "SPEED=400",
                                                    "LEVELTYPE=F",
                                                    "LEVEL=330",
                                                    "ROUTE=DCT SPY UL7 VENAS DCT",
                                                    "DESTICAO=BIKF",
                                                    "EET=0300",
                                                    "ALTICAO=BIKF",
                                                    "ALTICAO2=BIKF",
                                                    "OTHER=CORVANE CONTROLLED/FRIENDSHIP TEN FOUR",
                                                    "ENDURANCE=0500",
                                                    "POB=3",
                                                    "PIC=CORVANE TEST"}));
  const IvapFill visual = FillIvapTemplate(TemplateLines(), IvapFlightOf(*AmsterdamToKeflavik(18000), Airways()));
  EXPECT_EQ(std::vector<std::string>(visual.lines.begin() + 12, visual.lines.begin() + 15),
            (std::vector<std::string>{"SPEED=180", "LEVELTYPE=V", "LEVEL="}));
  EXPECT_EQ(visual.lines[2], "RULES=V");
}

// Another program's template: keys in another order, lines of its own; every line keeps its place.
TEST(IvapFlightPlan, ReplacesByKeyWhateverTheOrder) {
  std::vector<std::string> lines = TemplateLines();
  std::reverse(lines.begin(), lines.end());
  lines.insert(lines.begin() + 3, "; written by another planner");
  const IvapFill filled = FillIvapTemplate(lines, IvapFlightOf(*AmsterdamToKeflavik(), Airways()));
  ASSERT_EQ(filled.lines.size(), lines.size());
  EXPECT_EQ(filled.lines[3], "; written by another planner");
  EXPECT_EQ(filled.lines.back(), "[FLIGHTPLAN]");
  const auto at = [&](std::string_view key) {
    return *std::find_if(filled.lines.begin(), filled.lines.end(),
                         [&](const std::string& l) { return l.starts_with(key); });
  };
  EXPECT_EQ(at("DEPICAO="), "DEPICAO=EHAM");
  EXPECT_EQ(at("DESTICAO="), "DESTICAO=BIKF");
  EXPECT_EQ(at("LEVEL="), "LEVEL=330");
  EXPECT_EQ(at("ID="), "ID=PHCRV");

  lines.erase(std::remove_if(lines.begin(), lines.end(),
                             [](const std::string& l) { return l.starts_with("ROUTE=") || l.starts_with("POB="); }),
              lines.end());
  EXPECT_EQ(FillIvapTemplate(lines, {}).missingKeys, (std::vector<std::string>{"ROUTE", "POB"}));
}

// The destination is the plan's last airport, never the slot after it nor the tail of an ident.
TEST(IvapFlightPlan, DestinationIsTheLastAirport) {
  auto clicked = AmsterdamToKeflavik();
  clicked->tail = 6;  // a plan built by clicks: tail is the next free slot
  const IvapFlight flight = IvapFlightOf(*clicked, Airways());
  EXPECT_EQ(flight.destination, "BIKF");
  EXPECT_FALSE(flight.note);

  // An import that stopped early at a fix: no destination airport to file.
  auto stopped = PlanOf({{WaypointKind::kAirport, "EHAM ", 52.3086f, 4.7639f, -11},
                         {WaypointKind::kVor, "SPY ", 52.5403f, 4.8538f},
                         {WaypointKind::kFix, "LONAM ", 53.8f, 3.9f},
                         {WaypointKind::kFix, "CUTEL ", 54.0f, 3.0f}});
  const IvapFlight early = IvapFlightOf(*stopped, Airways());
  EXPECT_EQ(early.departure, "EHAM");
  EXPECT_EQ(early.destination, kNoAerodrome);
  EXPECT_EQ(early.words, (std::vector<std::string>{"DCT", "SPY", "UL7", "LONAM", "DCT", "CUTEL"}));
  ASSERT_TRUE(early.note);
  EXPECT_NE(early.note->find("CUTEL"), std::string::npos);

  // An airport before the last entry is the destination; the note tells the entries after it.
  (*stopped)[4] = (*stopped)[3];
  (*stopped)[3] = {64.0f, -22.0f, "BIKF ", ".", WaypointKind::kAirport, 170};
  const IvapFlight beyond = IvapFlightOf(*stopped, Airways());
  EXPECT_EQ(beyond.destination, "BIKF");
  EXPECT_EQ(beyond.words.back(), "BIKF");
  ASSERT_TRUE(beyond.note);
}

TEST(IvapFlightPlan, LevelIsTheTopOfTheFirstClimb) {
  auto plan = PlanThrough({"EHAM", "A", "B", "C", "BIKF"});
  const std::int32_t altitudes[] = {5000, 24000, 35000, 12000, 39000};
  for (std::int32_t i = 0; i < 5; ++i) (*plan)[i].altitude = altitudes[i];
  EXPECT_EQ(IvapLevelOf(*plan).level, 350);
  EXPECT_FALSE(IvapLevelOf(*plan).visual);
  // After Calc Desc entry 0 holds the departure's elevation, below sea level at Schiphol.
  EXPECT_EQ(IvapLevelOf(*AmsterdamToKeflavik()).level, 330);
  EXPECT_FALSE(IvapLevelOf(*AmsterdamToKeflavik()).visual);
}

TEST(IvapFlightPlan, WritesOverAFullTemplateOnly) {
  corvane::test_support::ScratchFolder folder;
  const auto plan = PlanThrough({"EHAM", "SPY", "LONAM", "VENAS", "BIKF"});
  const navdata::AirwaySegmentTable airways = Airways();
  auto writeTemplate = [&](const std::string& name, std::size_t lines) {
    std::ofstream out(folder / name, std::ios::binary);
    const std::vector<std::string> full = TemplateLines();
    for (std::size_t i = 0; i < lines; ++i) out << full[i] << "\r\n";
  };

  const IvapOutcome missing = WriteIvapFlightPlan(*plan, airways, folder / "none.fpl");
  ASSERT_TRUE(missing.error);
  EXPECT_NE(missing.error->find("none.fpl"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / "none.fpl"));
  EXPECT_EQ(missing.routeMemoLines,
            (std::vector<std::string>{"", "", "IvAp Route:", "EHAM DCT SPY UL7 VENAS DCT BIKF "}));

  writeTemplate("short.fpl", 22);
  const IvapOutcome shortOne = WriteIvapFlightPlan(*plan, airways, folder / "short.fpl");
  ASSERT_TRUE(shortOne.error);
  EXPECT_NE(shortOne.error->find("lacks the key POB"), std::string::npos);
  EXPECT_EQ(formats::ReadTextLines(folder / "short.fpl").size(), 22u);

  writeTemplate("ivap.fpl", 24);
  const IvapOutcome written = WriteIvapFlightPlan(*plan, airways, folder / "ivap.fpl");
  EXPECT_FALSE(written.error);
  EXPECT_EQ(written.flightPlanLines.size(), 24u);
  EXPECT_EQ(formats::ReadTextLines(folder / "ivap.fpl"), written.flightPlanLines);
}

}  // namespace
}  // namespace corvane::exchange
