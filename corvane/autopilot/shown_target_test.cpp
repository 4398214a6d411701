// The distance box: the direct-to target and the hold fix while flown, a marker by its label.
#include "corvane/autopilot/shown_target.h"

#include <gtest/gtest.h>

#include "corvane/autopilot/autopilot_buttons.h"
#include "corvane/autopilot/autopilot_tick.h"
#include "corvane/autopilot/holding.h"
#include "corvane/autopilot/recording_commands.h"

namespace corvane::autopilot {
namespace {

TEST(ShownTarget, NamesWhatIsFlownAndHowFarItIs) {
  plan::FlightPlan plan;
  plan[0] = plan::Waypoint{10.0f, 5.0f, "EHAM ", "-11"};
  plan[1] = plan::Waypoint{11.0f, 5.0f, "*****", "*TOD*", plan::WaypointKind::kDescentMarker};
  plan[2] = plan::Waypoint{12.0f, 5.0f, "ADN", "."};
  plan.tail = 2;
  simlink::AircraftState aircraft;
  aircraft.latitude = 10.5;
  aircraft.longitude = 5.0;
  const plan::DirectTarget spy{10.5f, 5.5f, "SPY"};  // 29 nm east

  struct Case {
    const char* what;
    std::int32_t active;
    std::optional<ShownTarget> shown;
  };
  const Case cases[] = {
      {"plan", 2, ShownTarget{"ADN", 90}},
      {"marker", 1, ShownTarget{"*TOD*", 30}},
      {"none", plan::kNoActiveWaypoint, std::nullopt},
      {"direct", 2, ShownTarget{"SPY", 29}},
      {"hold", 2, ShownTarget{"SPY", 29}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AutopilotState state{.AutopilotMode = kModeLnav};
    if (std::string_view(c.what) == "direct") EnterDirect(state, spy);
    if (std::string_view(c.what) == "hold") StartHold(state, spy);
    plan.ActiveWaypointIndex = c.active;
    RecordingCommands commands;
    // With no active waypoint a tick would search for one.
    if (c.active != plan::kNoActiveWaypoint) RunAutopilotTick(state, plan, aircraft, TickSettings{}, commands);
    const std::optional<ShownTarget> shown = ShownTargetOf(state, plan);
    ASSERT_EQ(shown.has_value(), c.shown.has_value());
    if (!shown) continue;
    EXPECT_EQ(shown->ident, c.shown->ident);
    EXPECT_EQ(shown->distanceNm, c.shown->distanceNm);
  }
}

}  // namespace
}  // namespace corvane::autopilot
