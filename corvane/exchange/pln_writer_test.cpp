// The AceXML flight plan: coordinates in degrees, minutes and seconds, and documents an XML parser reads back.
#include "corvane/exchange/pln_writer.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "corvane/exchange/test_plans.h"
#include "formats/field_cut.h"

namespace corvane::exchange {
namespace {

using plan::WaypointKind;
using testing::PlanOf;

TEST(PlnWriter, FormatPlnCoordinate) {
  struct Case {
    float value;
    bool isLongitude;
    const char* text;
  };
  const Case cases[] = {
      {52.5f, false, "N52\xC2\xB0 30' 00.000\""},
      {4.5f, true, "E004\xC2\xB0 30' 00.000\""},
      {-22.625f, true, "W022\xC2\xB0 37' 30.000\""},
      {-5.25f, false, "S05\xC2\xB0 15' 00.000\""},
      {100.125f, true, "E100\xC2\xB0 07' 30.000\""},
      {0.0f, false, "N00\xC2\xB0 00' 00.000\""},
      // Seconds that round to 60.000 carry into the minutes, and on into the degrees.
      {0.24999999f, false, "N00\xC2\xB0 15' 00.000\""},
      {-0.9999999f, true, "W001\xC2\xB0 00' 00.000\""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatPlnCoordinate(c.value, c.isLongitude), c.text) << c.value;
}

std::unique_ptr<pugi::xml_document> Parsed(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  auto document = std::make_unique<pugi::xml_document>();
  const pugi::xml_parse_result result = document->load_string(text.c_str());
  EXPECT_TRUE(result) << result.description() << "\n" << text;
  return document;
}

// Degrees from "N52° 30' 45.000"".
double DegreesOf(const std::string& text) {
  const double degrees = std::stod(text.substr(1));
  const std::size_t minutesAt = text.find("\xC2\xB0 ") + 3;
  const double minutes = std::stod(text.substr(minutesAt));
  const double seconds = std::stod(text.substr(text.find("' ") + 2));
  const double value = degrees + minutes / 60 + seconds / 3600;
  return text[0] == 'S' || text[0] == 'W' ? -value : value;
}

TEST(PlnWriter, DocumentReadsBackWithTheSameWaypoints) {
  const auto plan = PlanOf({{WaypointKind::kAirport, "EHAM ", 52.30860f, 4.763889f, 0},
                            {WaypointKind::kVor, "SPY", 52.540281f, 4.853781f},
                            {WaypointKind::kUserPoint, "FIX", 55.5f, -0.25f},
                            {WaypointKind::kFix, "A&<B\"", 60.0f, -5.1f, 14000},
                            {WaypointKind::kAirport, "BIKF ", 63.985f, -22.605556f, -50}});
  const auto document = Parsed(PlnLines(*plan));
  const pugi::xml_node flightPlan = document->child("SimBase.Document").child("FlightPlan.FlightPlan");
  // Idents go out without the blank the airport table keeps.
  EXPECT_STREQ(flightPlan.child_value("Title"), "EHAM to BIKF");
  EXPECT_STREQ(flightPlan.child_value("FPType"), "IFR");
  EXPECT_STREQ(flightPlan.child_value("CruisingAlt"), "33000");
  EXPECT_STREQ(flightPlan.child_value("DepartureID"), "EHAM");
  EXPECT_STREQ(flightPlan.child_value("DestinationID"), "BIKF");

  std::int32_t i = 0;
  for (const pugi::xml_node waypoint : flightPlan.children("ATCWaypoint")) {
    SCOPED_TRACE(i);
    const plan::Waypoint& entry = (*plan)[i];
    const std::string ident(formats::TrimBlanks(entry.ident));
    EXPECT_EQ(waypoint.attribute("id").value(), ident);
    const char* types[] = {"Airport", "VOR", "User", "Intersection", "Airport"};
    EXPECT_STREQ(waypoint.child_value("ATCWaypointType"), types[i]);
    EXPECT_EQ(waypoint.child("ICAO").child_value("ICAOIdent"), i == 2 ? "" : ident);
    const std::string position = waypoint.child_value("WorldPosition");
    const std::size_t comma = position.find(',');
    EXPECT_NEAR(DegreesOf(position.substr(0, comma)), entry.lat, 1e-6);
    EXPECT_NEAR(DegreesOf(position.substr(comma + 1)), entry.lon, 1e-6);
    EXPECT_EQ(position.substr(position.rfind(',') + 1),
              (entry.altitude < 0 ? "" : "+") + std::to_string(entry.altitude) + ".00");
    ++i;
  }
  EXPECT_EQ(i, 5);
}

TEST(PlnWriter, PlanSizesAndFlightRules) {
  struct Case {
    std::int32_t entries;
    std::int32_t highestFt;
    std::size_t waypoints;
    std::size_t userWaypoints;
    const char* rules;
  };
  const Case cases[] = {
      {0, 0, 1, 0, "VFR"},  // an empty plan still has its frame, and no arrival to write
      {2, 14999, 2, 0, "VFR"},
      {5, 15000, 5, 0, "IFR"},  // fixes are intersections, not user points
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entries);
    auto plan = PlanOf({});
    for (std::int32_t i = 0; i < c.entries; ++i) {
      (*plan)[i] = plan::Waypoint{50.0f + float(i), 5.0f, "P" + std::to_string(i), ".", WaypointKind::kFix, 9000};
    }
    if (c.entries > 0) (*plan)[c.entries - 1].altitude = c.highestFt;
    plan->tail = std::max(0, c.entries - 1);
    const auto document = Parsed(PlnLines(*plan));
    const pugi::xml_node flightPlan = document->child("SimBase.Document").child("FlightPlan.FlightPlan");
    EXPECT_STREQ(flightPlan.child_value("FPType"), c.rules);
    std::size_t waypoints = 0, users = 0;
    for (const pugi::xml_node waypoint : flightPlan.children("ATCWaypoint")) {
      ++waypoints;
      users += std::string_view(waypoint.child_value("ATCWaypointType")) == "User";
    }
    EXPECT_EQ(waypoints, c.waypoints);
    EXPECT_EQ(users, c.userWaypoints);
  }
}

// The destination is the plan's last airport whatever tail says; a plan that stops at a fix keeps
// that fix an intersection.
TEST(PlnWriter, DestinationIsTheLastAirport) {
  auto plan = PlanOf({{WaypointKind::kAirport, "EHAM ", 52.30860f, 4.763889f, -11},
                      {WaypointKind::kVor, "SPY ", 52.540281f, 4.853781f},
                      {WaypointKind::kAirport, "EHKD ", 52.9234f, 4.7806f, 3},
                      {WaypointKind::kFix, "CUTEL ", 53.5f, 3.5f}});
  plan->tail = 4;  // the free slot after an import that stopped early
  const auto document = Parsed(PlnLines(*plan));
  const pugi::xml_node flightPlan = document->child("SimBase.Document").child("FlightPlan.FlightPlan");
  EXPECT_STREQ(flightPlan.child_value("DestinationID"), "EHKD");
  EXPECT_EQ(std::string(flightPlan.child_value("DestinationLLA")).substr(0, 3), "N52");
  const pugi::xml_node last = flightPlan.find_child_by_attribute("ATCWaypoint", "id", "CUTEL");
  EXPECT_STREQ(last.child_value("ATCWaypointType"), "Intersection");
}

}  // namespace
}  // namespace corvane::exchange
