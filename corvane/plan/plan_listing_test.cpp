// The listing's exact text, its total line, and parsing it back (round trips and damaged lines).
#include "corvane/plan/plan_listing.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "corvane/plan/plan_files.h"

namespace corvane::plan {
namespace {

Waypoint Entry(WaypointKind kind, std::string ident, std::string info, float lat, float lon, std::int32_t legNm = 0) {
  Waypoint entry;
  entry.kind = kind;
  entry.ident = std::move(ident);
  entry.info = std::move(info);
  entry.lat = lat;
  entry.lon = lon;
  entry.altitude = 33000;
  entry.speed = 320;
  entry.legNm = legNm;
  return entry;
}

// EHAM, SPY, REDFA, then BIKF in the tail slot.
FlightPlan FourPointPlan() {
  FlightPlan plan;
  plan.entries[0] = Entry(WaypointKind::kAirport, "EHAM ", "-11", 52.3086f, 4.7639f);
  plan.entries[1] = Entry(WaypointKind::kVor, "SPY", "113.30", 52.5404f, 4.8537f);
  plan.entries[2] = Entry(WaypointKind::kFix, "REDFA ", ".", 55.2f, -1.5f);
  plan.entries[3] = Entry(WaypointKind::kAirport, "BIKF ", "171", 63.985f, -22.6056f);
  for (std::int32_t i = 1; i < 4; ++i) plan[i].legNm = LegNm(plan, i - 1, i);
  plan.tail = 3;
  return plan;
}

std::string PrintfLine(const Waypoint& e) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, "%2d   %5s  %5d  %3d  %3d  %6s   %4.8f   %4.8f     ", KindNumber(e.kind),
                e.ident.c_str(), e.altitude, e.speed, e.legNm, e.info.c_str(), static_cast<double>(e.lat),
                static_cast<double>(e.lon));
  return buffer;
}

TEST(PlanListing, LineFormatMatchesTheFixedLayoutInEveryLocale) {
  EXPECT_EQ(FormatPlanLine(Entry(WaypointKind::kAirport, "EHAM ", "-11", 52.5f, 4.75f)),
            " 1   EHAM   33000  320    0     -11   52.50000000   4.75000000     ");
  const Waypoint cases[] = {
      Entry(WaypointKind::kVor, "SPY", "113.30", 52.5404f, 4.8537f, 17),
      Entry(WaypointKind::kUserPoint, "FIX", ".", -33.9461f, -151.177f, 999),
      Entry(WaypointKind::kDescentMarker, "*****", "*TOD*", 0.5f, -0.25f, 1234),
      Entry(WaypointKind::kFix, "LONGIDENT", "LONGINFO", 89.99999f, 179.99999f, -3),
  };
  for (const Waypoint& entry : cases) EXPECT_EQ(FormatPlanLine(entry), PrintfLine(entry));

  // A comma locale must not reach the listing.
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) {
    EXPECT_EQ(FormatPlanLine(cases[0]).find(','), std::string::npos);
    std::setlocale(LC_ALL, "C");
  }
}

TEST(PlanListing, TotalLineOnlyFromFourWaypoints) {
  FlightPlan plan = FourPointPlan();
  const std::int32_t total = plan[1].legNm + plan[2].legNm + plan[3].legNm;
  std::vector<std::string> lines = ListPlan(plan);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "Total distance is " + std::to_string(total) + " nm.");

  for (std::int32_t listed = 3; listed >= 0; --listed) {
    plan.entries[static_cast<std::size_t>(listed)] = Waypoint{};
    EXPECT_EQ(ListPlan(plan).size(), static_cast<std::size_t>(listed)) << listed << " waypoints";
  }
}

TEST(PlanListing, WaypointAtZeroZeroEndsThePlan) {
  FlightPlan plan = FourPointPlan();
  plan[2].lat = 0;
  plan[2].lon = 0;
  EXPECT_EQ(ListPlan(plan).size(), 2u);
  EXPECT_EQ(plan.ListedCount(), 2);
  plan[2].lon = 0.001f;  // only both at 0 end it
  EXPECT_EQ(ListPlan(plan).size(), 6u);
}

TEST(ParsePlanText, RoundTripKeepsTheWaypointsAndDropsTrailingBlanks) {
  const FlightPlan original = FourPointPlan();
  const std::vector<std::string> lines = ListPlan(original);
  FlightPlan parsed;
  parsed.tail = 77;
  ASSERT_FALSE(ParsePlanText(lines, parsed).has_value());
  EXPECT_EQ(parsed.ListedCount(), 4);
  EXPECT_EQ(parsed.tail, 3);
  for (std::int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(parsed[i].kind, original[i].kind);
    EXPECT_FLOAT_EQ(parsed[i].lat, original[i].lat);
    EXPECT_FLOAT_EQ(parsed[i].lon, original[i].lon);
    EXPECT_EQ(parsed[i].legNm, original[i].legNm);
    EXPECT_EQ(parsed[i].altitude, 33000);
    EXPECT_EQ(parsed[i].info, original[i].info);
  }
  EXPECT_EQ(parsed[0].ident, "EHAM");
  EXPECT_EQ(parsed[2].ident, "REDFA");
  EXPECT_EQ(parsed[1].ident, "SPY");
  // Listed again, the text is the same but for the idents that lost their blank.
  const std::vector<std::string> again = ListPlan(parsed);
  EXPECT_EQ(again[1], lines[1]);
  EXPECT_EQ(again[0].substr(0, 10), " 1    EHAM");
  EXPECT_EQ(again[5], lines[5]);
}

TEST(ParsePlanText, TheLastListedEntryBecomesTheTail) {
  // Departure plus one fix, still without an arrival: tail 2 before OK, 1 after.
  FlightPlan plan = FourPointPlan();
  plan.entries[2] = Waypoint{};
  plan.entries[3] = Waypoint{};
  plan.tail = 2;
  ASSERT_FALSE(ParsePlanText(ListPlan(plan), plan).has_value());
  EXPECT_EQ(plan.tail, 1);
  EXPECT_EQ(plan.ListedCount(), 2);

  // A single line stays the departure with the next slot as tail, its leg as written.
  const std::vector<std::string> one = {" 1   EHAM   33000  320    7     -11   52.30860138   4.76389980     "};
  ASSERT_FALSE(ParsePlanText(one, plan).has_value());
  EXPECT_EQ(plan.tail, 1);
  EXPECT_EQ(plan[0].legNm, 7);
  EXPECT_EQ(plan.ListedCount(), 1);
}

TEST(ParsePlanText, LegsAreRecomputedAndShortLinesEndTheText) {
  const std::vector<std::string> lines = {
      " 1   EHAM   33000  320    5     -11   52.00000000   4.00000000     ",
      "11  REDFA   33000  320  999       .   52.00000000   5.00000000",
      "",
      " 1   BIKF   33000  320    0     171   63.98500061   -22.60560036     ",
  };
  FlightPlan plan;
  ASSERT_FALSE(ParsePlanText(lines, plan).has_value());
  EXPECT_EQ(plan.ListedCount(), 2);
  EXPECT_EQ(plan.tail, 1);
  EXPECT_EQ(plan[0].legNm, 5);   // entry 0 keeps what the text says
  EXPECT_EQ(plan[1].legNm, 36);  // one degree of longitude at 52 N
}

TEST(ParsePlanText, ParsingReplacesALongerPlanCompletely) {
  FlightPlan plan;
  for (std::int32_t i = 0; i < 150; ++i)
    plan[i] = Entry(WaypointKind::kFix, "F" + std::to_string(i), ".", 10.0f + i * 0.01f, 20.0f);
  plan.tail = 149;
  const std::vector<std::string> lines = ListPlan(FourPointPlan());
  ASSERT_FALSE(ParsePlanText(lines, plan).has_value());
  EXPECT_EQ(plan.ListedCount(), 4);
  for (std::int32_t i = 4; i < FlightPlan::kCapacity; ++i) ASSERT_TRUE(plan[i].IsEndMarker()) << i;
}

TEST(ParsePlanText, ADamagedLineIsReportedAndTheLinesBeforeItStay) {
  const std::string good = " 1   EHAM   33000  320    0     -11   52.30860138   4.76389980     ";
  struct Case {
    std::string badLine;
    std::string reasonPart;
  } cases[] = {
      {"11  REDFA   33OOO  320    0       .   55.20000076   -1.50000000     ",
       "'33OOO' is not a valid integer value (altitude)"},
      {"11  RED FA  33000  320    0       .   55.20000076   -1.50000000     ",
       "is not a valid integer value (altitude)"},
      {"11  REDFA   33000  320    0       .   55.20000076                   ", "the longitude is missing"},
      {"11  REDFA   33000  320    0       .   95.00000000   -1.50000000     ", "'95.00000000' is not a latitude"},
      {"11  REDFA   33000  320    0       .   55,2000000   -1.50000000      ", "'55,2000000' is not a latitude"},
      {"xx  REDFA   33000  320    0       .   55.20000076   -1.50000000     ", "(kind)"},
      {"11  REDFA   33000  320    0       .   55.20000076   nan             ", "is not a longitude"},
      {"11  REDFA   99999999999  320  0   .   55.20000076   -1.50000000     ", "(altitude)"},
  };
  for (const Case& c : cases) {
    FlightPlan plan;
    const std::vector<std::string> lines = {good, c.badLine, good};
    const auto error = ParsePlanText(lines, plan);
    ASSERT_TRUE(error.has_value()) << c.badLine;
    EXPECT_EQ(error->lineNumber, 2);
    EXPECT_NE(error->Message().find("Plan line 2: "), std::string::npos);
    EXPECT_NE(error->reason.find(c.reasonPart), std::string::npos) << error->reason;
    EXPECT_EQ(plan.tail, 1);
    EXPECT_EQ(plan.ListedCount(), 1);
    EXPECT_EQ(plan[0].ident, "EHAM");
  }
  FlightPlan plan;
  const std::vector<std::string> emptyFirst = {""};
  const auto error = ParsePlanText(emptyFirst, plan);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->lineNumber, 1);
  EXPECT_EQ(plan.tail, 0);
}

TEST(ParsePlanText, MoreThanFiveHundredLinesKeepTheFirstFiveHundred) {
  std::vector<std::string> lines;
  for (int i = 0; i < 520; ++i)
    lines.push_back(FormatPlanLine(Entry(WaypointKind::kFix, "F", ".", 10.0f + i * 0.01f, 20.0f)));
  FlightPlan plan;
  const auto error = ParsePlanText(lines, plan);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->lineNumber, 501);
  EXPECT_EQ(plan.ListedCount(), FlightPlan::kCapacity);
  EXPECT_EQ(plan.tail, FlightPlan::kCapacity - 1);
  EXPECT_EQ(ListPlan(plan).size(), 502u);
}

// A plan file with a line at 0/0 between two airports (found by the plan-file fuzz target): it read
// as a plan whose listing and next save lost the airport after it.
TEST(ParsePlanText, AWaypointAtZeroZeroIsReportedRatherThanHidingTheRest) {
  const char* source = std::getenv("CORVANE_SOURCE_DIR");
  const std::vector<std::string> lines =
      LoadPlanFile(std::filesystem::path(source != nullptr ? source : "../..") / "corvane" / "plan" / "fuzz_findings" /
                   "waypoint_at_zero_zero.nav");
  ASSERT_EQ(lines.size(), 3u);
  FlightPlan plan;
  const auto error = ParsePlanText(lines, plan);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->lineNumber, 2);
  EXPECT_NE(error->reason.find("0/0"), std::string::npos) << error->reason;
  EXPECT_EQ(plan.ListedCount(), 1);
}

}  // namespace
}  // namespace corvane::plan
