// VNAV's arithmetic: the required vertical speed, the write rule with its clamp, the end of the climb.
#include "corvane/autopilot/vertical_navigation.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane::autopilot {
namespace {

plan::FlightPlan PlanWithAltitudes(const std::vector<std::int32_t>& altitudes) {
  plan::FlightPlan plan;
  for (std::size_t i = 0; i < altitudes.size(); ++i) {
    const auto index = static_cast<std::int32_t>(i);
    plan[index] = plan::Waypoint{10.0f + index, 5.0f, "WPT", ".", plan::WaypointKind::kFix, altitudes[i]};
  }
  plan.tail = static_cast<std::int32_t>(altitudes.size()) - 1;
  return plan;
}

TEST(VerticalNavigation, RequiredVerticalSpeedAndWhenToWriteIt) {
  struct Case {
    std::int32_t target;
    double altitude;
    std::int32_t groundSpeed;
    float distance;
    double autopilot;
    std::optional<std::int32_t> written;
  };
  const Case cases[] = {
      {5000, 10000, 300, 8, -500, -2500},               // −3125 + 1, clamped
      {15000, 5000, 300, 18.522f, 2500, std::nullopt},  // 2700: only 200 off
      {15000, 5000, 300, 18.0f, 2500, 2600},            // 2778: clamped
      {15000, 5000, 300, 18.0f, 2600, std::nullopt},    // clamped first: already at the clamp
      {5000, 10000, 300, 8, -2500, std::nullopt},
      {9000, 10000, 240, 4, 0, -999},   // −1000 + 1
      {9000, 10000, 240, 0, -1000, 0},  // at the waypoint: level
      {9000, 10000, 240, 0, -150, std::nullopt},
      {9000, 10000, 240, 1e-30f, 0, -2500},  // far beyond any int: clamped, not overflowed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.target << " from " << c.altitude << " in " << c.distance << " nm");
    const double required = RequiredVerticalSpeedFpm(c.target, c.altitude, c.groundSpeed, c.distance);
    EXPECT_EQ(VerticalSpeedToWrite(required, c.autopilot), c.written);
  }
}

TEST(VerticalNavigation, EndOfClimbIsTheFirstLevelLegInsideThePlan) {
  EXPECT_EQ(EndOfClimbIndex(PlanWithAltitudes({0, 5000, 9000, 9000, 9000, 0})), 3);
  EXPECT_EQ(EndOfClimbIndex(PlanWithAltitudes({0, 9000, 9000, 9000, 0})), 2);  // the scan starts at 2
  // No level leg: the climb lasts to the last entry, not to the empty slots after it.
  EXPECT_EQ(EndOfClimbIndex(PlanWithAltitudes({0, 5000, 9000, 7000})), 3);
}

}  // namespace
}  // namespace corvane::autopilot
