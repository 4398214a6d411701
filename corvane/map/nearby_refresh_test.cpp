// The phased refresh: strict boxes, chunks, phase jumps, the shared point counter and the tail fills.
#include "nearby_refresh.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::map {
namespace {

using navdata::AirportRow;
using navdata::NavDatabase;

template <typename Table>
void Fill(Table& table, std::vector<typename Table::RowType> rows) {
  table.Clear();
  table.OpenForAppend(rows.size());
  for (auto& row : rows) table.Append(std::move(row));
  table.Close();
}

AirportRow Airport(float latitude, float longitude, std::string ident) {
  return {latitude, longitude, std::move(ident), "-11", "NAME"};
}

std::vector<std::string> PointIdents(const NearbyLists& lists) {
  std::vector<std::string> idents;
  for (std::size_t i = 0; !IsEndRow(lists.points[i]); ++i) idents.push_back(lists.points[i].ident);
  return idents;
}

// Runs ticks until the cycle ends; returns how many it took.
int RunCycle(NearbyRefreshState& state, const NavDatabase& database, GeoPos centre, const BoxSizes& boxes,
             NearbyLists& lists, int* listsCompleteTick = nullptr) {
  for (int tick = 1; tick <= 500; ++tick) {
    const RefreshTickResult result = NearbyRefreshTick(state, database, centre, boxes, lists);
    if (result.listsComplete && listsCompleteTick != nullptr) *listsCompleteTick = tick;
    if (result.cycleEnded) return tick;
  }
  return -1;
}

TEST(NearbyRefreshTest, StrictBoxEdges) {
  NavDatabase database;
  Fill(database.airports, {Airport(52.0f, 11.0f, "EAST "), Airport(52.0f, 10.99f, "IN   "),
                           Airport(46.0f, 5.0f, "SOUTH"), Airport(46.01f, 5.0f, "S_IN ")});
  Fill(database.fixes, {{52.5f, 5.0f, "HALF "}, {52.49f, 5.0f, "FIXIN "}});
  NearbyRefreshState state;
  NearbyLists lists;
  const BoxSizes boxes{.airportDeg = 6, .fixDeg = 1};
  RunCycle(state, database, {52.0, 5.0}, boxes, lists);
  EXPECT_EQ(PointIdents(lists), (std::vector<std::string>{"IN   ", "S_IN ", "FIXIN "}));
  EXPECT_EQ(lists.points[2].kind, kPointFix);
  EXPECT_EQ(lists.points[2].info1, ".");
}

TEST(NearbyRefreshTest, PhasesJumpAtTableEnds) {
  NavDatabase database;
  Fill(database.airports, {Airport(52.0f, 5.0f, "EHAM ")});
  NearbyRefreshState state;
  NearbyLists lists;
  // The first tick runs all four point blocks (each table ends at once) and stops at phase 51.
  NearbyRefreshTick(state, database, {52.0, 5.0}, {}, lists);
  EXPECT_EQ(state.phase, 52);
  EXPECT_EQ(PointIdents(lists).size(), 1u);
  int listsCompleteTick = 0;
  // 19 idle ticks to 71, the tick of the other three blocks reaching 151, then 152..200.
  EXPECT_EQ(RunCycle(state, database, {52.0, 5.0}, {}, lists, &listsCompleteTick), 69);
  EXPECT_EQ(listsCompleteTick, 20);
  EXPECT_EQ(state.phase, 0);
}

TEST(NearbyRefreshTest, ChunksAndTheSharedPointCounter) {
  NavDatabase database;
  Fill(database.airports,
       {Airport(52.0f, 5.0f, "A1   "), Airport(52.1f, 5.0f, "A2   "), Airport(52.2f, 5.0f, "A3   ")});
  Fill(database.beacons, {{navdata::BeaconKind::kVor, 52.3f, 5.1f, "SPL", "108.40", "SCHIPHOL"}});
  Fill(database.heliports, {{52.4f, 5.2f}});
  NearbyRefreshState state;
  state.chunk = 2;
  NearbyLists lists;
  NearbyRefreshTick(state, database, {52.0, 5.0}, {}, lists);
  EXPECT_EQ(PointIdents(lists), (std::vector<std::string>{"A1   ", "A2   "}));
  EXPECT_EQ(state.phase, 12);
  NearbyRefreshTick(state, database, {52.0, 5.0}, {}, lists);
  EXPECT_EQ(PointIdents(lists), (std::vector<std::string>{"A1   ", "A2   ", "A3   ", "SPL", "HEL"}));
  EXPECT_EQ(lists.points[3].kind, kPointVor);
  EXPECT_EQ(lists.points[3].info2, "SCHIPHOL");
  EXPECT_EQ(lists.points[4].kind, kPointHeliport);
}

TEST(NearbyRefreshTest, TailsAreFilledOncePerCycle) {
  NavDatabase database;
  Fill(database.airports,
       {Airport(52.0f, 5.0f, "A1   "), Airport(52.1f, 5.0f, "A2   "), Airport(60.0f, 5.0f, "FAR  ")});
  Fill(database.runwayEnds, {{52.0f, 5.0f, 90, 1500, "09 ", ""}, {60.0f, 5.0f, 90, 1500, "09 ", ""}});
  Fill(database.geoSegments, {{52.0f, 5.0f, 52.1f, 5.1f, 1}, {70.0f, 5.0f, 70.1f, 5.1f, 1}});
  Fill(database.airwaySegments, {{52.0f, 5.0f, 53.0f, 6.0f, "A1 ", "X ", "Y ", navdata::AirwayLevel::kHigh}});
  NearbyRefreshState state;
  NearbyLists lists;
  RunCycle(state, database, {52.0, 5.0}, {}, lists);
  EXPECT_EQ(lists.points.EndIndex(), 2u);
  EXPECT_EQ(lists.runways.EndIndex(), 1u);
  EXPECT_EQ(lists.geo.EndIndex(), 1u);
  EXPECT_EQ(lists.geo[0].sourceRow, 0);
  EXPECT_EQ(lists.airways.EndIndex(), 1u);
  EXPECT_EQ(lists.airways[0].level, 1);
  // The centre moves north: everything near 60 N comes in, the old entries go at the next fill.
  state.chunk = 1;
  for (int tick = 0; tick < 3; ++tick) NearbyRefreshTick(state, database, {59.0, 5.0}, {}, lists);
  // Mid-rebuild the list shows the new entry followed by the previous cycle's.
  EXPECT_EQ(PointIdents(lists), (std::vector<std::string>{"FAR  ", "A2   "}));
  RunCycle(state, database, {59.0, 5.0}, {}, lists);
  EXPECT_EQ(PointIdents(lists), (std::vector<std::string>{"FAR  "}));
  EXPECT_EQ(lists.runways[0].latitude, 60.0f);
  EXPECT_EQ(lists.runways.EndIndex(), 1u);
}

TEST(NearbyRefreshTest, FixScanEndsAtAnEmptyIdent) {
  NavDatabase database;
  Fill(database.fixes, {{52.0f, 5.0f, "ONE  "}, {52.0f, 5.1f, ""}, {52.0f, 5.2f, "THREE"}});
  NearbyRefreshState state;
  NearbyLists lists;
  RunCycle(state, database, {52.0, 5.0}, {}, lists);
  EXPECT_EQ(PointIdents(lists), (std::vector<std::string>{"ONE  "}));
}

TEST(NearbyRefreshTest, BoxSizeText) {
  struct Case {
    const char* text;
    double expected;
  };
  const Case cases[] = {{"6", 6}, {" 2.5 ", 2.5}, {"abc", 4}, {"", 4}, {"3x", 4}, {"-1", -1}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(BoxSizeOrDefault(c.text, 4), c.expected) << c.text;
}

TEST(NearbyListTest, StopsAtCapacityLessOne) {
  NearbyList<NearbyAirway, 3> list;
  ASSERT_NE(list.Slot(0), nullptr);
  *list.Slot(0) = {1, 1, 2, 2, "A ", 1};
  *list.Slot(1) = {1, 1, 2, 2, "B ", 1};
  EXPECT_EQ(list.Slot(2), nullptr);
  EXPECT_EQ(list.EndIndex(), 2u);
  // The fill always writes the end row where the rebuild stopped, even past its limit.
  list.FillEnd(1, 0);
  EXPECT_EQ(list.EndIndex(), 1u);
  EXPECT_TRUE(IsEndRow(list[5]));
}

}  // namespace
}  // namespace corvane::map
