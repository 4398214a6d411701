// The IvAp flight plan: the route string with airways, the 24 lines, and a template that is missing or short.
#include "corvane/exchange/ivap_flight_plan.h"

#include <gtest/gtest.h>

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
      {{"EHAM", "SPY", "LONAM", "XYZ", "BIKF"}, "EHAM DCT SPY UL7 LONAM UN1 XYZ DCT BIKF "},
      {{"EHAM", "AAA", "BBB", "BIKF"}, "EHAM DCT AAA DCT BBB DCT BIKF "},
      // Every run of profile markers is stepped over, however long.
      {{"EHAM", "SPY", "*****", "*****", "*****", "LONAM", "VENAS", "*****", "BIKF"},
       "EHAM DCT SPY UL7 VENAS DCT BIKF "},
  };
  const navdata::AirwaySegmentTable airways = Airways();
  for (const Case& c : cases) EXPECT_EQ(BuildIvapRoute(*PlanThrough(c.idents), airways), c.route);
}

std::vector<std::string> TemplateLines(std::size_t count) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < count; ++i) lines.push_back("T" + std::to_string(i));
  return lines;
}

TEST(IvapFlightPlan, TwentyFourLinesFromTheTemplate) {
  const std::string route = "EHAM DCT SPY UL7 VENAS DCT BIKF ";
  const auto visual = FillIvapTemplate(TemplateLines(24), route, IvapLevelOf(*PlanThrough({"EHAM", "BIKF"}, 18000)));
  ASSERT_TRUE(visual);
  EXPECT_EQ(*visual, (std::vector<std::string>{"T0",
                                               "T1",
                                               "RULES=V",
                                               "T3",
                                               "NUMBER=1",
                                               "T5",
                                               "T6",
                                               "T7",
                                               "T8",
                                               "DEPICAO=EHAM",
                                               "T10",
                                               "T11",
                                               "SPEED=180",
                                               "LEVELTYPE=V",
                                               "LEVEL=",
                                               "ROUTE= DCT SPY UL7 VENAS DCT",
                                               "DESTICAO=BIKF",
                                               "T17",
                                               "ALTICAO=BIKF",
                                               "ALTICAO2=BIKF",
                                               "OTHER=CORVANE CONTROLLED/FRIENDSHIP TEN FOUR",
                                               "T21",
                                               "POB=3",
                                               "T23"}));
  const auto instruments =
      FillIvapTemplate(TemplateLines(30), route, IvapLevelOf(*PlanThrough({"EHAM", "BIKF"}, 18100)));
  ASSERT_TRUE(instruments);
  EXPECT_EQ((*instruments)[2], "RULES=I");
  EXPECT_EQ((*instruments)[12], "SPEED=400");
  EXPECT_EQ((*instruments)[13], "LEVELTYPE=F");
  EXPECT_EQ((*instruments)[14], "LEVEL=181");
  EXPECT_FALSE(FillIvapTemplate(TemplateLines(23), route, {}));
}

TEST(IvapFlightPlan, LevelIsTheTopOfTheFirstClimb) {
  auto plan = PlanThrough({"EHAM", "A", "B", "C", "BIKF"});
  const std::int32_t altitudes[] = {5000, 24000, 35000, 12000, 39000};
  for (std::int32_t i = 0; i < 5; ++i) (*plan)[i].altitude = altitudes[i];
  EXPECT_EQ(IvapLevelOf(*plan).level, 350);
  EXPECT_FALSE(IvapLevelOf(*plan).visual);
}

TEST(IvapFlightPlan, WritesOverAFullTemplateOnly) {
  corvane::test_support::ScratchFolder folder;
  const auto plan = PlanThrough({"EHAM", "SPY", "LONAM", "VENAS", "BIKF"});
  const navdata::AirwaySegmentTable airways = Airways();
  auto writeTemplate = [&](const std::string& name, std::size_t lines) {
    std::ofstream out(folder / name, std::ios::binary);
    for (const std::string& line : TemplateLines(lines)) out << line << "\r\n";
  };

  const IvapOutcome missing = WriteIvapFlightPlan(*plan, airways, folder / "none.fpl");
  ASSERT_TRUE(missing.error);
  EXPECT_NE(missing.error->find("none.fpl"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / "none.fpl"));
  EXPECT_EQ(missing.routeMemoLines,
            (std::vector<std::string>{"", "", "IvAp Route:", "EHAM DCT SPY UL7 VENAS DCT BIKF "}));

  writeTemplate("short.fpl", 23);
  const IvapOutcome shortOne = WriteIvapFlightPlan(*plan, airways, folder / "short.fpl");
  ASSERT_TRUE(shortOne.error);
  EXPECT_NE(shortOne.error->find("has 23 lines"), std::string::npos);
  EXPECT_EQ(formats::ReadTextLines(folder / "short.fpl"), TemplateLines(23));

  writeTemplate("ivap.fpl", 24);
  const IvapOutcome written = WriteIvapFlightPlan(*plan, airways, folder / "ivap.fpl");
  EXPECT_FALSE(written.error);
  EXPECT_EQ(written.flightPlanLines.size(), 24u);
  EXPECT_EQ(formats::ReadTextLines(folder / "ivap.fpl"), written.flightPlanLines);
}

}  // namespace
}  // namespace corvane::exchange
