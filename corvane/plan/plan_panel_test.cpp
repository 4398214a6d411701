// OK on the plan panel: parse errors keep the panel, the autosave file, recentring and the display reset.
#include "corvane/plan/plan_panel.h"

#include <gtest/gtest.h>

#include "corvane/plan/plan_files.h"
#include "corvane/plan/plan_listing.h"
#include "testing/scratch_folder.h"

namespace corvane::plan {
namespace {

class PlanPanelTest : public ::testing::Test {
 protected:
  std::string SaveFolder() const { return folder_.string() + "/"; }

  test_support::ScratchFolder scratch_;
  const std::filesystem::path& folder_ = scratch_.path();
};

const std::vector<std::string> kEhamSpyBikf = {
    " 1   EHAM   33000  320    0     -11   52.30860138   4.76389980     ",
    " 3    SPY   33000  320   14  113.30   52.54040146   4.85370016     ",
    " 1   BIKF   33000  320  999     171   63.98500061   -22.60560036     ",
};

TEST_F(PlanPanelTest, OkTakesTheTextWritesTheAutosaveAndFollowsTheDeparture) {
  FlightPlan plan;
  const AcceptOutcome outcome = AcceptPlanText(plan, kEhamSpyBikf, SaveFolder(), {30.0, 4.0});
  EXPECT_FALSE(outcome.parseError.has_value());
  EXPECT_FALSE(outcome.autosaveError.has_value());
  EXPECT_EQ(plan.tail, 2);
  EXPECT_EQ(plan[2].legNm, LegNm(plan, 1, 2));
  EXPECT_EQ(LoadPlanFile(folder_ / "autosave.nav"), kEhamSpyBikf);
  ASSERT_TRUE(outcome.recentreOn.has_value());
  EXPECT_FLOAT_EQ(static_cast<float>(outcome.recentreOn->lat), 52.3086f);
  EXPECT_FALSE(outcome.resetDisplay);
}

// A text that does not read, or a typed line too short to read, is reported before the autosave and
// leaves the plan as it was; a short line of blanks ends the plan as before.
TEST_F(PlanPanelTest, ATextThatDoesNotReadLeavesThePlanAndTheAutosave) {
  SavePlanFile(folder_ / "autosave.nav", kEhamSpyBikf);
  struct Case {
    std::size_t line;
    std::string text;
    std::string error;  // empty: taken
  } cases[] = {
      {1, " 3    SPY   33000  3x0   14  113.30   52.54040146   4.85370016     ",
       "Plan line 2: '3x0' is not a valid integer value (speed)"},
      {1, " 3    SPY   33000  320   14  113.30   5x.54040146   4.85370016     ",
       "Plan line 2: '5x.54040146' is not a latitude (-90 to 90)"},
      {1, " 3  RTM", "Plan line 2: ' 3  RTM' is too short for a plan line"},
      {2, "   ", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    FlightPlan plan;
    ASSERT_FALSE(AcceptPlanText(plan, kEhamSpyBikf, SaveFolder() + "missing/", {52.0, 4.0}).parseError);
    std::vector<std::string> lines = kEhamSpyBikf;
    lines[c.line] = c.text;
    const AcceptOutcome outcome = AcceptPlanText(plan, lines, SaveFolder(), {52.0, 4.0});
    EXPECT_EQ(outcome.parseError.value_or("").substr(0, c.error.size()), c.error);
    EXPECT_EQ(outcome.parseError.has_value(), !c.error.empty());
    EXPECT_EQ(plan.ListedCount(), c.error.empty() ? 2 : 3);
    EXPECT_EQ(plan[2].ident, c.error.empty() ? "" : "BIKF");
    EXPECT_EQ(LoadPlanFile(folder_ / "autosave.nav"), c.error.empty() ? lines : kEhamSpyBikf);
  }
}

TEST_F(PlanPanelTest, AnAutosaveThatCannotBeWrittenIsReportedAndThePlanTaken) {
  FlightPlan plan;
  const AcceptOutcome outcome = AcceptPlanText(plan, kEhamSpyBikf, SaveFolder() + "missing/", {52.0, 4.0});
  ASSERT_TRUE(outcome.autosaveError.has_value());
  EXPECT_NE(outcome.autosaveError->find("autosave.nav"), std::string::npos);
  EXPECT_EQ(plan.ListedCount(), 3);
}

TEST_F(PlanPanelTest, RecentringAndDisplayReset) {
  // An empty memo changes nothing in the plan; with no departure the map stays where it is.
  FlightPlan emptyPlan;
  const AcceptOutcome empty = AcceptPlanText(emptyPlan, {}, SaveFolder(), {52.0, 4.0});
  EXPECT_FALSE(empty.recentreOn.has_value());
  EXPECT_TRUE(empty.resetDisplay);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "autosave.nav"));
  struct Case {
    MapCentre centre;
    bool recentre;
  } cases[] = {
      {{52.3, 4.7}, false},  {{62.0, 14.0}, false},  // 9.7 and 9.2 degrees: both truncate to 9
      {{63.4, 4.7}, true},   {{52.3, -6.3}, true},   // 11 degrees in one direction is enough
      {{42.4, 14.7}, false},
  };
  for (const Case& c : cases) {
    FlightPlan plan;
    AcceptOutcome outcome = AcceptPlanText(plan, std::span(kEhamSpyBikf).first(1), SaveFolder(), c.centre);
    EXPECT_EQ(outcome.recentreOn.has_value(), c.recentre) << c.centre.lat << "/" << c.centre.lon;
    EXPECT_TRUE(outcome.resetDisplay);
  }
}

}  // namespace
}  // namespace corvane::plan
