// The X-Plane flight plan: coordinate names, entry lines that read back, the padding to 100 entries.
#include "corvane/exchange/fms_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "corvane/exchange/test_plans.h"
#include "formats/field_cut.h"

namespace corvane::exchange {
namespace {

using plan::WaypointKind;
using testing::PlanOf;

TEST(FmsWriter, CoordinateNames) {
  struct Case {
    float value;
    const char* latitude;
    const char* longitude;
  };
  const Case cases[] = {
      {-5.2537f, "-05.253", "-005.253"}, {100.1234f, "+100.123", "+100.123"}, {52.5f, "+52.500", "+052.500"},
      {4.0f, "+04.000", "+004.000"},     {-22.6237f, "-22.623", "-022.623"},  {-0.5f, "-00.500", "-000.500"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FmsLatitudeName(c.value), c.latitude) << c.value;
    EXPECT_EQ(FmsLongitudeName(c.value), c.longitude) << c.value;
  }
}

TEST(FmsWriter, EntryLinesReadBackAndArePaddedTo100) {
  const auto plan = PlanOf({{WaypointKind::kAirport, "EHAM ", 52.30860f, 4.763889f, 0},
                            {WaypointKind::kVor, "SPY", 52.540281f, 4.853781f},
                            {WaypointKind::kUserPoint, "FIX", -5.2537f, 100.1234f},
                            {WaypointKind::kDescentMarker, "*****", 60.0f, -5.1f, 14000},
                            {WaypointKind::kAirport, "BIKF ", 63.985f, -22.605556f, 170}});
  const std::vector<std::string> lines = FmsLines(*plan);
  ASSERT_EQ(lines.size(), kFms3HeaderLines + kFmsEntryLines);
  // X-Plane reads the "1" line and the number of the last entry before the entries.
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + kFms3HeaderLines),
            (std::vector<std::string>{"I", "3 version", "1", "4"}));
  for (std::int32_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(lines[kFms3HeaderLines + i]);
    const plan::Waypoint& entry = (*plan)[i];
    std::istringstream line(lines[kFms3HeaderLines + i]);
    int type = 0;
    std::string name;
    std::int32_t altitude = 0;
    double lat = 0, lon = 0;
    line >> type >> name >> altitude >> lat >> lon;
    const bool byPosition = entry.kind == WaypointKind::kUserPoint || entry.kind == WaypointKind::kDescentMarker;
    EXPECT_EQ(type, byPosition ? 28 : plan::KindNumber(entry.kind));
    EXPECT_EQ(name, byPosition ? FmsLatitudeName(entry.lat) + "_" + FmsLongitudeName(entry.lon)
                               : std::string(formats::TrimBlanks(entry.ident)));
    EXPECT_EQ(altitude, entry.altitude);
    EXPECT_NEAR(lat, entry.lat, 5e-7);
    EXPECT_NEAR(lon, entry.lon, 5e-7);
  }
  for (std::size_t i = kFms3HeaderLines + 5; i < lines.size(); ++i) EXPECT_EQ(lines[i], kFmsEmptyEntry);

  auto longPlan = PlanOf({});
  for (std::int32_t i = 0; i < 120; ++i) (*longPlan)[i] = plan::Waypoint{40.0f + 0.1f * float(i), 3.0f, "P", "."};
  EXPECT_EQ(FmsLines(*longPlan).size(), kFms3HeaderLines + 120u);
}

// Version 11 names the leg to each point: ADEP and ADES at the airports, the airway along one, DRCT.
TEST(FmsWriter, Version11NamesTheLegs) {
  navdata::AirwaySegmentTable airways;
  airways.OpenForAppend(1);
  airways.Append({53.8f, 3.9f, 52.5f, 4.8f, "UL7 ", "LONAM ", "SPY ", navdata::AirwayLevel::kHigh});
  airways.Close();
  const auto plan = PlanOf({{WaypointKind::kAirport, "EHAM ", 52.30860f, 4.763889f, -11},
                            {WaypointKind::kVor, "SPY ", 52.540281f, 4.853781f},
                            {WaypointKind::kFix, "LONAM ", 53.8f, 3.9f},
                            {WaypointKind::kDescentMarker, "*****", 60.0f, -5.1f, 14000},
                            {WaypointKind::kAirport, "BIKF ", 63.985f, -22.605556f, 170}});
  EXPECT_EQ(
      Fms11Lines(*plan, airways),
      (std::vector<std::string>{
          "I", "1100 Version", "ADEP EHAM", "ADES BIKF", "NUMENR 5", "1 EHAM ADEP -11.000000 52.308601 4.763889",
          "3 SPY DRCT 33000.000000 52.540279 4.853781", "11 LONAM UL7 33000.000000 53.799999 3.900000",
          "28 +60.000_-005.100 DRCT 14000.000000 60.000000 -5.100000", "1 BIKF ADES 170.000000 63.985001 -22.605556"}));
}

}  // namespace
}  // namespace corvane::exchange
