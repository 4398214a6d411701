// Steering geometry: the flat-earth distance and bearings, and the wind correction.
#include "corvane/autopilot/waypoint_geometry.h"

#include <gtest/gtest.h>

namespace corvane::autopilot {
namespace {

TEST(WaypointGeometry, DistanceBearingAndRelativeBearing) {
  struct Case {
    double lat, lon, heading, toLat, toLon;
    double distanceNm;
    std::int32_t bearing, relative;
  };
  const Case cases[] = {
      {10, 5, 0, 11, 5, 60, 0, 0},       // dx = 0 north
      {10, 5, 10, 9, 5, 60, 180, 170},   // dx = 0 south
      {0, 5, 90, 0, 6, 60, 90, 0},       // east along the equator
      {0, 5, 0, 0, 4, 60, 270, 270},     // west: 180 added
      {60, 5, 0, 60, 6, 30, 90, 90},     // mean cosine 0.5
      {10, 5, 359.5, 11, 5, 60, 0, 1},   // −359.5 truncates to −359, then 360 added
      {10, 5, 3, 11, 5, 60, 0, 357},     // 3 degrees left
      {10, 5, 0, 11, 6, 84.14, 44, 44},  // 44.5 truncated, not rounded
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.toLat << " " << c.toLon << " heading " << c.heading);
    const WaypointGeometry g = GeometryTo(c.lat, c.lon, c.heading, c.toLat, c.toLon);
    EXPECT_NEAR(g.distanceNm, c.distanceNm, 0.05);
    EXPECT_EQ(g.bearingDeg, c.bearing);
    EXPECT_EQ(g.relativeBearingDeg, c.relative);
  }
}

TEST(WaypointGeometry, WindCorrection) {
  struct Case {
    double target;
    std::int32_t groundSpeed, windSpeed, windDirection;
    double expected;
  };
  const Case cases[] = {
      {360, 200, 40, 270, 347.4},  // a = 90: 40/200 × 90 × 0.7
      {90, 200, 40, 360, 77.4},    // from the left of an eastbound track: steer left, into it
      {360, 200, 40, 360, 360},    // head wind
      {360, 200, 40, 180, 360},    // tail wind
      {360, 50, 40, 270, 360},     // 50 kt is not enough
      {360, 200, 0, 270, 360},     // no wind
      {5, 200, 40, 270, 353.1},    // a = 85; below 0: 360 added
      {-10, 0, 0, 0, 350},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.target << " wind " << c.windDirection << "/" << c.windSpeed);
    EXPECT_NEAR(WindCorrectedHeading(c.target, c.groundSpeed, c.windSpeed, c.windDirection), c.expected, 1e-9);
  }
}

}  // namespace
}  // namespace corvane::autopilot
