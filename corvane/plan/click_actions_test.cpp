// Map-click actions against a small candidate list and a recording simulator.
#include "corvane/plan/click_actions.h"

#include <gtest/gtest.h>

#include <vector>

#include "corvane/plan/plan_display.h"

namespace corvane::plan {
namespace {

class RecordingCommands final : public SimulatorCommands {
 public:
  std::vector<std::string> calls;
  std::string SendApHeading(double headingDeg) override {
    calls.push_back("heading " + std::to_string(headingDeg));
    return "FSUIPC write OK";
  }
  std::string TuneNdb(std::string_view ident, std::string_view text) override {
    calls.push_back("ndb " + std::string(ident) + " " + std::string(text));
    return std::string(ident) + " NDB Radio freq Set";
  }
  std::string TuneVor(std::string_view ident, std::string_view text, bool toNav2) override {
    calls.push_back((toNav2 ? "nav2 " : "nav1 ") + std::string(ident) + " " + std::string(text));
    return std::string(ident) + " VOR Radio freq Set";
  }
  std::string TuneIls(std::string_view text) override {
    calls.push_back("ils " + std::string(text));
    return "ILS Radio freq and course Set";
  }
};

constexpr ShownLayers kAllShown{true, true, true, true};
constexpr ShownLayers kNoneShown{false, false, false, false};

PickContext Context(const std::vector<PickCandidate>& candidates, ShownLayers shown = kAllShown,
                    std::int32_t rangeNm = 160) {
  return PickContext{candidates, shown, rangeNm, false};
}

const PickCandidate kEham{1, 52.3086f, 4.7639f, "EHAM ", "-11"};
const PickCandidate kBikf{1, 63.985f, -22.6056f, "BIKF ", "171"};

// EHAM as the departure with 33000 ft and 320 kt.
FlightPlan PlanFromEham() {
  FlightPlan plan;
  const std::vector<PickCandidate> list = {kEham, PickCandidate{}};
  AddWaypointAt(plan, Context(list), {52.3f, 4.76f}, "33000", "320", nullptr);
  return plan;
}

TEST(AddWaypointAt, FirstClickPicksTheNearestShownAirportHoweverFar) {
  FlightPlan plan;
  const std::vector<PickCandidate> list = {kBikf, kEham, PickCandidate{}};
  // About 500 nm west of EHAM over the North Sea: EHAM is the nearest shown object.
  const AddOutcome outcome = AddWaypointAt(plan, Context(list), {55.0f, -9.0f}, "33000", " 320 ", nullptr);
  EXPECT_EQ(plan.tail, 1);
  EXPECT_EQ(plan[0].ident, "EHAM ");
  EXPECT_EQ(plan[0].altitude, 33000);
  EXPECT_EQ(plan[0].speed, 320);
  EXPECT_EQ(plan[0].legNm, 0);
  EXPECT_EQ(outcome.status.rfind("Found 1 EHAM  33000 320 0 52.30860", 0), 0u) << outcome.status;
  EXPECT_TRUE(outcome.status.ends_with(" -11"));
}

TEST(AddWaypointAt, TheDepartureMustBeAnAirport) {
  const std::vector<PickCandidate> list = {
      kEham, {3, 52.54f, 4.85f, "SPY", "113.30"}, {11, 52.4f, 4.9f, "REDFA ", "."}, {}};
  struct Case {
    ShownLayers shown;
    std::string status;
  } cases[] = {
      {{false, true, false, false}, "Warning! 3 SPYShould be the departure airport."},
      {{false, false, false, true}, "Warning! 11 REDFA Should be the departure airport."},
      {kNoneShown, "Warning! 0 Should be the departure airport."},
  };
  for (const Case& c : cases) {
    FlightPlan plan;
    const AddOutcome outcome = AddWaypointAt(plan, Context(list, c.shown), {52.5f, 4.85f}, "33000", "320", nullptr);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(plan.tail, 0);
    EXPECT_TRUE(plan[0].IsEndMarker());
    EXPECT_EQ(plan[0].ident, "");
  }
}

TEST(AddWaypointAt, ACruiseFieldThatIsNotANumberAddsNothing) {
  FlightPlan plan;
  const std::vector<PickCandidate> list = {kEham, {}};
  const AddOutcome outcome = AddWaypointAt(plan, Context(list), {52.3f, 4.76f}, "33k", "320", nullptr);
  ASSERT_TRUE(outcome.errorMessage.has_value());
  EXPECT_EQ(*outcome.errorMessage, "'33k' is not a valid integer value");
  EXPECT_EQ(plan.tail, 0);
  EXPECT_EQ(plan.ListedCount(), 0);
}

TEST(AddWaypointAt, PickThresholdIsStrictlyAFifthOfTheRange) {
  // Range 150: 30 nm. A fix half a degree north of the click is exactly 30 nm away.
  struct Case {
    float fixLat;
    ShownLayers shown;
    std::string ident;
    WaypointKind kind;
  } cases[] = {
      {10.5f, kAllShown, "FIX", WaypointKind::kUserPoint},   // exactly 30 nm: not accepted
      {10.49f, kAllShown, "ABCDE ", WaypointKind::kFix},     // just inside
      {10.2f, kNoneShown, "FIX", WaypointKind::kUserPoint},  // all layers hidden
  };
  for (const Case& c : cases) {
    FlightPlan plan = PlanFromEham();
    const std::vector<PickCandidate> list = {{11, c.fixLat, 5.0f, "ABCDE ", "."}, {}};
    int rebuilds = 0;
    const AddOutcome outcome =
        AddWaypointAt(plan, Context(list, c.shown, 150), {10.0f, 5.0f}, "0", "0", [&](FlightPlan&) { ++rebuilds; });
    EXPECT_EQ(plan.tail, 2) << c.fixLat;
    EXPECT_EQ(plan[1].ident, c.ident) << c.fixLat;
    EXPECT_EQ(plan[1].kind, c.kind) << c.fixLat;
    EXPECT_EQ(plan[1].altitude, 33000);
    EXPECT_EQ(plan[1].legNm, LegNm(plan, 0, 1));
    const bool picked = c.kind == WaypointKind::kFix;
    EXPECT_EQ(rebuilds, picked ? 1 : 0);
    EXPECT_EQ(outcome.status.rfind(picked ? "Found 11 ABCDE  " : "Set 29 FIX 33000 320 ", 0), 0u) << outcome.status;
    if (!picked) {
      EXPECT_FLOAT_EQ(plan[1].lat, 10.0f);
      EXPECT_EQ(plan[1].info, ".");
    }
  }
}

TEST(AddWaypointAt, EqualDistancesGoToTheFirstInTheList) {
  const PickCandidate east{11, 10.0f, 5.25f, "EAST ", "."};
  const PickCandidate west{11, 10.0f, 4.75f, "WEST ", "."};
  for (const auto& [first, second] : {std::pair{east, west}, std::pair{west, east}}) {
    FlightPlan plan = PlanFromEham();
    const std::vector<PickCandidate> list = {first, second, {}};
    AddWaypointAt(plan, Context(list), {10.0f, 5.0f}, "0", "0", nullptr);
    EXPECT_EQ(plan[1].ident, first.ident);
  }
}

TEST(AddWaypointAt, TheArrivalStaysLastAndEnRoutePointsGoBeforeIt) {
  FlightPlan plan = PlanFromEham();
  const std::vector<PickCandidate> list = {
      kEham, kBikf, {3, 52.54f, 4.85f, "SPY", "113.30 "}, {2, 58.0f, -6.0f, "STN", "315.00"}, {}};
  const AddOutcome arrival = AddWaypointAt(plan, Context(list), {63.9f, -22.5f}, "0", "0", nullptr);
  EXPECT_TRUE(arrival.arrivalSet);
  EXPECT_EQ(plan.tail, 1);
  EXPECT_EQ(plan[1].ident, "BIKF ");
  EXPECT_EQ(plan[1].altitude, 33000);

  AddWaypointAt(plan, Context(list), {52.55f, 4.86f}, "0", "0", nullptr);
  AddWaypointAt(plan, Context(list), {58.01f, -6.01f}, "0", "0", nullptr);
  ASSERT_EQ(plan.ListedCount(), 4);
  EXPECT_EQ(plan.tail, 3);
  EXPECT_EQ(plan.insertIndex, 1);
  EXPECT_EQ(plan[1].ident, "SPY");
  EXPECT_EQ(plan[2].ident, "STN");
  EXPECT_EQ(plan[3].ident, "BIKF ");
  for (std::int32_t i = 1; i < 4; ++i) EXPECT_EQ(plan[i].legNm, LegNm(plan, i - 1, i)) << i;
}

// Before an arrival, a click that picks nothing leaves the plan as it was and says why; an airport
// picked en route replaces the arrival, which is not left behind it.
TEST(AddWaypointAt, TheArrivalIsNeverCopiedIntoThePlan) {
  const PickCandidate kEgph{1, 55.95f, -3.3725f, "EGPH ", "135"};
  struct Case {
    ShownLayers shown;
    bool airportView;
    std::vector<std::string> idents;
    std::string status;
  } cases[] = {
      {kNoneShown, true, {"EHAM ", "SPY", "BIKF "}, std::string(kNothingPickedInAirportViewText)},
      {{true, false, false, false}, true, {"EHAM ", "SPY", "BIKF "}, std::string(kNothingPickedInAirportViewText)},
      {kNoneShown, false, {"EHAM ", "SPY", "BIKF "}, std::string(kNothingPickedText)},
      {{true, false, false, false}, false, {"EHAM ", "SPY", "EGPH "}, "Found 1 EGPH  33000 320 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    FlightPlan plan = PlanFromEham();
    const std::vector<PickCandidate> route = {kBikf, {3, 52.54f, 4.85f, "SPY", "113.30"}, {}};
    AddWaypointAt(plan, Context(route), {63.9f, -22.5f}, "0", "0", nullptr);
    AddWaypointAt(plan, Context(route), {52.55f, 4.86f}, "0", "0", nullptr);
    ASSERT_EQ(plan.ListedCount(), 3);

    const std::vector<PickCandidate> list = {kEgph, {}};
    PickContext context = Context(list, c.shown);
    context.airportViewRunning = c.airportView;
    const AddOutcome outcome = AddWaypointAt(plan, context, {56.0f, -3.4f}, "0", "0", nullptr);
    EXPECT_EQ(outcome.status.substr(0, c.status.size()), c.status);
    std::vector<std::string> idents;
    for (std::int32_t i = 0; i < plan.ListedCount(); ++i) idents.push_back(plan[i].ident);
    EXPECT_EQ(idents, c.idents);
    EXPECT_EQ(plan.tail, 2);
    EXPECT_EQ(outcome.refused, c.idents.back() == "BIKF ");
  }
}

TEST(AddWaypointAt, InsertModeUsesOneNauticalMileAndNoAirports) {
  const std::vector<PickCandidate> list = {{1, 53.0f, 4.0f, "EHXX ", "3"}, {11, 53.0f, 4.02f, "NEARB ", "."}, {}};
  struct Case {
    float clickLon;
    std::string ident;
  } cases[] = {
      // At 53 N a degree of longitude is 36.1 nm.
      {4.005f, "NEARB "},  // 0.54 nm from the fix
      {4.0f, "NEARB "},    // on the airport, 0.72 nm from the fix: airports are not inserted
      {3.99f, "FIX"},      // 1.08 nm: the clicked point
  };
  for (const Case& c : cases) {
    FlightPlan plan = PlanFromEham();
    plan[1] = plan[0];
    plan[1].ident = "BIKF ";
    plan[1].lat = 63.985f;
    plan[1].lon = -22.6f;
    plan.tail = 1;
    plan.insertMode = true;
    plan.insertIndex = 1;
    const AddOutcome outcome =
        AddWaypointAt(plan, Context(list, kAllShown, 1280), {53.0f, c.clickLon}, "0", "0", nullptr);
    EXPECT_EQ(plan[1].ident, c.ident) << c.clickLon;
    EXPECT_EQ(plan[2].ident, "BIKF ");
    EXPECT_EQ(plan.tail, 2);
    EXPECT_EQ(plan.insertIndex, 2);
    EXPECT_EQ(plan[1].legNm, LegNm(plan, 0, 1));
    EXPECT_EQ(outcome.status.rfind("Found ", 0), 0u);
  }
}

TEST(AddWaypointAt, AFullPlanRefusesTheAddition) {
  FlightPlan plan = PlanFromEham();
  for (std::int32_t i = 1; i < FlightPlan::kCapacity; ++i) {
    plan[i] = plan[0];
    plan[i].lat += 0.001f * static_cast<float>(i);
  }
  plan.tail = FlightPlan::kCapacity - 1;
  const std::vector<PickCandidate> list = {{11, 53.0f, 4.0f, "NEARB ", "."}, {}};
  const AddOutcome outcome = AddWaypointAt(plan, Context(list), {53.0f, 4.0f}, "0", "0", nullptr);
  EXPECT_EQ(outcome.status, kPlanFullText);
  EXPECT_EQ(plan.tail, FlightPlan::kCapacity - 1);
  plan.insertMode = true;
  plan.insertIndex = 3;
  EXPECT_EQ(AddWaypointAt(plan, Context(list), {53.0f, 4.0f}, "0", "0", nullptr).status, kPlanFullText);
  EXPECT_EQ(plan[3].ident, "EHAM ");
}

TEST(AddWaypointAt, TheAirportViewAcceptsWithinOneNauticalMileAndNoAirports) {
  FlightPlan plan = PlanFromEham();
  const std::vector<PickCandidate> list = {{1, 52.0f, 5.0f, "EHXX ", "3"}, {11, 52.0f, 5.05f, "CLOSE ", "."}, {}};
  PickContext context = Context(list, kAllShown, 1280);
  context.airportViewRunning = true;
  AddWaypointAt(plan, context, {52.0f, 5.03f}, "0", "0", nullptr);  // 0.74 nm from the fix
  EXPECT_EQ(plan[1].ident, "CLOSE ");
  AddWaypointAt(plan, context, {52.0f, 5.0f}, "0", "0", nullptr);  // on the airport, 1.8 nm from the fix
  EXPECT_EQ(plan[2].ident, "FIX");
}

TEST(FlyDirectTo, AsksFirstThenCommandsTheMagneticHeading) {
  const std::vector<PickCandidate> list = {{3, 52.0f, 5.0f, "EAST", "113.30"}, {}};
  struct Case {
    ClickPosition click;
    double variationDeg;
    std::string name;
    std::int32_t bearing;
    std::string command;
  } cases[] = {
      {{52.0f, 5.0f}, 2.0, "EAST", 90, "heading 88.000000"},
      {{52.0f, 3.0f}, 0.0, "FIX", 270, "heading 270.000000"},
      {{51.0f, 4.0f}, 0.0, "FIX", 180, "heading 180.000000"},
      {{53.0f, 4.0f}, 10.0, "FIX", 0, "heading 350.000000"},
  };
  for (const Case& c : cases) {
    RecordingCommands commands;
    DirectTarget target;
    std::string asked;
    const DirectToOutcome outcome = FlyDirectTo(
        target, Context(list, kAllShown, 160), c.click, 52.0, 4.0, c.variationDeg,
        [&](const std::string& question) {
          asked = question;
          return true;
        },
        commands);
    EXPECT_EQ(asked, "Fly direct " + c.name + "?");
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(target.name, c.name);
    EXPECT_EQ(outcome.bearingDeg, c.bearing);
    EXPECT_EQ(outcome.status, "FSUIPC write OK");
    EXPECT_EQ(commands.calls, std::vector<std::string>{c.command});
  }
  RecordingCommands commands;
  DirectTarget target{1, 2, "OLD"};
  const DirectToOutcome refused = FlyDirectTo(
      target, Context(list), {52.0f, 5.0f}, 52.0, 4.0, 0.0, [](const std::string&) { return false; }, commands);
  EXPECT_FALSE(refused.started);
  EXPECT_EQ(target.name, "OLD");
  EXPECT_TRUE(commands.calls.empty());
}

TEST(HoldAt, TargetWithinATenthOfTheRangeAndThePanelTexts) {
  const std::vector<PickCandidate> list = {{2, 52.0f, 4.0f, "NDB", "350.00"}, {}};
  DirectTarget target;
  // Range 25: 2 nm (integer tenth). 1.8 nm away is picked, 2.4 nm is not.
  HoldRequest request = HoldAt(target, Context(list, kAllShown, 25), {52.0f, 4.05f}, 273.9);
  EXPECT_EQ(target.name, "NDB");
  EXPECT_EQ(request.label, "Holding at NDB");
  EXPECT_EQ(request.inboundHeadingText, "273");
  EXPECT_EQ(request.legTimeText, "3");
  HoldAt(target, Context(list, kAllShown, 25), {52.0f, 4.065f}, 0);
  EXPECT_EQ(target.name, "FIX");
  EXPECT_FLOAT_EQ(target.lon, 4.065f);
  EXPECT_EQ(HoldPanelLeft(800, 200, 53), 247);
}

TEST(TuneRadioTo, TunesTheNearestBeaconByKind) {
  const std::vector<PickCandidate> list = {{2, 52.0f, 4.00f, "NDB", "352.00"},
                                           {3, 52.0f, 4.30f, "VOR", "113.30"},
                                           {4, 52.0f, 4.60f, "IAA", "110.30 274"},
                                           {2, 52.0f, 5.00f, "BAD", "35"},
                                           {3, 52.0f, 5.30f, "BAV", "11X.30"},
                                           {4, 52.0f, 5.60f, "IBB", "110.30"},
                                           {}};
  struct Case {
    float clickLon;
    ShownLayers shown;
    bool airportView;
    std::string call;  // empty: nothing sent
    std::string statusPart;
  } cases[] = {
      {4.01f, kAllShown, false, "ndb NDB 352.00", "NDB NDB Radio freq Set"},
      {4.29f, kAllShown, false, "nav1 VOR 113.30", "VOR Radio freq Set"},
      {4.29f, kAllShown, true, "nav2 VOR 113.30", "VOR Radio freq Set"},
      {4.59f, kNoneShown, false, "ils 110.30 274", "ILS Radio freq and course Set"},  // ILS whatever the layers
      {4.31f, kNoneShown, false, "", ""},                                             // hidden VOR, ILS 9 nm away
      {5.01f, kAllShown, false, "", "BAD frequency text '35' cannot be tuned"},
      {5.29f, kAllShown, false, "", "BAV frequency text '11X.30' cannot be tuned"},
      {5.59f, kAllShown, false, "", "IBB frequency text '110.30' cannot be tuned"},
  };
  for (const Case& c : cases) {
    RecordingCommands commands;
    PickContext context = Context(list, c.shown);
    context.airportViewRunning = c.airportView;
    const auto status = TuneRadioTo(context, {52.0f, c.clickLon}, {}, commands);
    if (c.call.empty()) {
      EXPECT_TRUE(commands.calls.empty()) << c.clickLon;
    } else {
      EXPECT_EQ(commands.calls, std::vector<std::string>{c.call});
    }
    if (c.statusPart.empty()) {
      EXPECT_FALSE(status.has_value()) << c.clickLon;
    } else {
      ASSERT_TRUE(status.has_value()) << c.clickLon;
      EXPECT_NE(status->find(c.statusPart), std::string::npos) << *status;
    }
  }
}

TEST(TuneRadioTo, AirportViewLabelsTuneTheIlsWhenNoBeaconIsNear) {
  const std::vector<PickCandidate> list = {{2, 52.0f, 4.5f, "FAR", "352.00"}, {}};
  const std::vector<RadioLabel> labels = {{52.0f, 4.1f, "109.50 274"}, {52.0f, 4.02f, "110.10 094"}};
  RecordingCommands commands;
  const auto status = TuneRadioTo(Context(list), {52.0f, 4.0f}, labels, commands);
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(commands.calls, std::vector<std::string>{"ils 110.10 094"});
  commands.calls.clear();
  EXPECT_FALSE(TuneRadioTo(Context(list), {52.0f, 3.7f}, labels, commands).has_value());  // 7 nm from the nearest label
  EXPECT_TRUE(commands.calls.empty());
}

// Airports, VOR, NDB, fixes and the airway mode: the switches plan editing changes.
struct Switches {
  bool airports, vor, ndb, fixes;
  int airwayMode;
  bool operator==(const Switches&) const = default;
};
Switches SwitchesOf(const map::LayerToggles& layers) {
  return {layers.airports, layers.vor, layers.ndb, layers.fixes, layers.airwayMode};
}

TEST(PlanLayers, SwitchesOfPlanEditing) {
  const map::LayerToggles editing;  // the display reset's state
  const map::LayerToggles high = LayersForEnRoutePicking(editing, 33000);
  EXPECT_EQ(SwitchesOf(high), (Switches{false, true, true, true, 1}));
  const map::LayerToggles low = LayersForEnRoutePicking(editing, 9000);
  EXPECT_EQ(SwitchesOf(low), (Switches{true, true, true, true, 0}));
  map::LayerToggles lowAirways;
  lowAirways.airwayMode = 3;
  EXPECT_EQ(LayersForEnRoutePicking(lowAirways, 33000).airwayMode, 3);
  EXPECT_EQ(SwitchesOf(LayersAfterLoad(high)), (Switches{false, false, false, false, 2}));
  EXPECT_EQ(LayersAfterLoad(low).airwayMode, 0);
  EXPECT_EQ(LayersAfterLoad(lowAirways).airwayMode, 0);
  // Rings, labels, geo and traffic are not plan editing's business.
  map::LayerToggles other;
  other.rangeRings = false;
  other.geoMode = 2;
  other.trafficMode = 1;
  const map::LayerToggles loaded = LayersAfterLoad(LayersForEnRoutePicking(other, 33000));
  EXPECT_FALSE(loaded.rangeRings);
  EXPECT_EQ(loaded.geoMode, 2);
  EXPECT_EQ(loaded.trafficMode, 1);
}

}  // namespace
}  // namespace corvane::plan
