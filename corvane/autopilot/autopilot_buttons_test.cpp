// The mode buttons: every transition of "Ln", "Vn" and "Sp", with the looks and Timer4 they ask for.
#include "corvane/autopilot/autopilot_buttons.h"

#include <gtest/gtest.h>

#include "corvane/map/autopilot_mode_text.h"
#include "corvane/map/map_colours.h"

namespace corvane::autopilot {
namespace {

using map::ButtonLook;

const ButtonLook kLnBlue{"Ln", true, map::kButtonBlue};
const ButtonLook kLnGreen{"Ln", true, map::kButtonGreen};
const ButtonLook kVnGreen{"Vn", true, map::kButtonGreen};
const ButtonLook kSpGreen{"Sp", true, map::kButtonGreen};
const ButtonLook kVnPlain{"Vn", false, map::kDefaultFontColor};
const ButtonLook kSpPlain{"Sp", false, map::kDefaultFontColor};

PanelUpdate Update(ButtonUpdate ln, ButtonUpdate vn, ButtonUpdate sp, TimerAction timer) { return {ln, vn, sp, timer}; }

TEST(AutopilotButtons, LnavCyclesAndLeavesDirectAndHoldWithTimer4Running) {
  struct Case {
    std::int32_t mode;
    bool emptyPlan;
    std::int32_t nextMode;
    PanelUpdate update;
  };
  const PanelUpdate off = OffPanel();
  PanelUpdate offKeepTimer = off;
  offKeepTimer.timer4 = TimerAction::kNone;
  const PanelUpdate backToPlan = Update({kLnGreen, {}}, {kVnPlain, true}, {kSpPlain, false}, TimerAction::kStart);
  const Case cases[] = {
      {kModeOff, false, kModeSearch, Update({kLnBlue, {}}, {}, {}, TimerAction::kStart)},
      {kModeOff, true, kModeOff, PanelUpdate{}},  // refused
      {kModeSearch, false, kModeLnav, Update({kLnGreen, {}}, {{}, true}, {}, TimerAction::kStart)},
      {kModeSearch, true, kModeSearch, PanelUpdate{}},
      {kModeLnav, false, kModeOff, off},
      {kModeLnavVnav, false, kModeOff, off},
      {kModeLnavVnavSpd, false, kModeOff, off},
      // Back to LNAV on the plan, searching; "Vn" and "Sp" lose the VNAV look they may have kept.
      {kModeDirect, false, kModeLnav, backToPlan},
      {kModeHold, false, kModeLnav, backToPlan},
      {kModeHold, true, kModeOff, offKeepTimer},  // nothing to go back to
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    AutopilotState state{.AutopilotMode = c.mode};
    state.hold.phase = c.mode == kModeHold ? kHoldOutboundLeg : kHoldNone;
    plan::FlightPlan plan;
    if (!c.emptyPlan) plan[0] = plan::Waypoint{52.3f, 4.76f, "EHAM ", "-11"};
    plan.ActiveWaypointIndex = 3;
    EXPECT_EQ(PressLnav(state, plan), c.update);
    EXPECT_EQ(state.AutopilotMode, c.nextMode);
    EXPECT_EQ(state.hold.phase, kHoldNone);
    const bool searches = (c.nextMode == kModeSearch && c.mode != kModeSearch) || c.update == backToPlan;
    EXPECT_EQ(plan.ActiveWaypointIndex, searches ? 10000 : 3);
  }
  EXPECT_EQ(off, Update({ButtonLook{"Ln", false, 0}, {}}, {kVnPlain, false}, {kSpPlain, false}, TimerAction::kStop));
}

TEST(AutopilotButtons, VnavAndSpeedOnlyWhereTheyApply) {
  struct Case {
    bool speedButton;
    std::int32_t mode;
    std::int32_t nextMode;
    PanelUpdate update;
  };
  const Case cases[] = {
      {false, kModeLnav, kModeLnavVnav, Update({}, {kVnGreen, {}}, {{}, true}, TimerAction::kNone)},
      {false, kModeLnavVnav, kModeLnav, Update({}, {kVnPlain, {}}, {kSpPlain, false}, TimerAction::kNone)},
      {false, kModeLnavVnavSpd, kModeLnav, Update({}, {kVnPlain, {}}, {kSpPlain, false}, TimerAction::kNone)},
      {false, kModeSearch, kModeSearch, PanelUpdate{}},
      {false, kModeHold, kModeHold, PanelUpdate{}},
      {true, kModeLnavVnav, kModeLnavVnavSpd, Update({}, {}, {kSpGreen, {}}, TimerAction::kNone)},
      {true, kModeLnavVnavSpd, kModeLnavVnav, Update({}, {}, {kSpPlain, {}}, TimerAction::kNone)},
      {true, kModeLnav, kModeLnav, PanelUpdate{}},
      {true, kModeDirect, kModeDirect, PanelUpdate{}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.speedButton ? "Sp " : "Vn ") << c.mode);
    AutopilotState state{.AutopilotMode = c.mode};
    EXPECT_EQ(c.speedButton ? PressSpd(state) : PressVnav(state), c.update);
    EXPECT_EQ(state.AutopilotMode, c.nextMode);
  }
}

TEST(AutopilotButtons, FlyDirectEndsTheHold) {
  AutopilotState state{.AutopilotMode = kModeHold};
  state.hold.phase = kHoldTurnInbound;
  EXPECT_EQ(EnterDirect(state, plan::DirectTarget{52.5f, 4.8f, "SPY"}),
            Update({ButtonLook{"Dt", true, map::kButtonGreen}, {}}, {}, {}, TimerAction::kNone));
  EXPECT_EQ(state.AutopilotMode, kModeDirect);
  EXPECT_EQ(state.hold.phase, kHoldNone);
}

TEST(AutopilotButtons, ModeTextsKeepTheHoldsBlanksAndReadUnknownModesAsOff) {
  EXPECT_EQ(map::AutopilotModeText(kModeHold), "AP-HOLD  ");
  EXPECT_EQ(map::AutopilotModeText(kModeLnavVnavSpd), "AP-LNAV+VNAV+SPD");
  EXPECT_EQ(map::AutopilotModeText(7), "AP-OFF");
  EXPECT_EQ(map::AutopilotModeText(-1), "AP-OFF");
}

}  // namespace
}  // namespace corvane::autopilot
