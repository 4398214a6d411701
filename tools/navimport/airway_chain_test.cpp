// Airway chaining: one chain, forks, loops, reversed and repeated segments, and keeping runs apart.
#include "tools/navimport/airway_chain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace corvane::navimport {
namespace {

// Points on a line of longitude 0.1° apart, named by letter.
AirwayPoint P(char name, double latitudeDeg, double longitudeDeg = 5.0) {
  return AirwayPoint{std::string(1, name), latitudeDeg, longitudeDeg};
}

AirwaySegment S(const std::string& airway, AirwayPoint from, AirwayPoint to, AirwayLevel level = AirwayLevel::kLow) {
  return AirwaySegment{airway, std::move(from), std::move(to), level, 50, 245, 7};
}

std::string Names(const AirwayRun& run) {
  std::string names;
  for (const AirwayPoint& point : run.points) {
    names += point.ident;
  }
  return names;
}

// Undirected segments of the runs, as "AB" with the letters sorted.
std::multiset<std::string> SegmentsOf(const std::vector<AirwayRun>& runs) {
  std::multiset<std::string> segments;
  for (const AirwayRun& run : runs) {
    for (std::size_t index = 1; index < run.points.size(); ++index) {
      std::string pair = run.points[index - 1].ident + run.points[index].ident;
      std::sort(pair.begin(), pair.end());
      segments.insert(run.airwayName + ":" + pair);
    }
  }
  return segments;
}

struct ChainCase {
  const char* what;
  std::vector<AirwaySegment> segments;
  std::vector<std::string> expectedRuns;  // point letters of each run, in order
};

TEST(AirwayChain, ChainsSegmentsIntoRuns) {
  const AirwayPoint a = P('A', 50.0), b = P('B', 50.1), c = P('C', 50.2), d = P('D', 50.3), e = P('E', 50.4);
  const AirwayPoint side = P('X', 50.3, 5.3);
  const std::vector<ChainCase> cases = {
      {"one chain given out of order", {S("UL9", b, c), S("UL9", a, b), S("UL9", c, d)}, {"ABCD"}},
      {"reversed segments still chain", {S("UL9", b, a), S("UL9", c, b), S("UL9", c, d)}, {"ABCD"}},
      {"a segment listed twice and reversed is used once", {S("UL9", a, b), S("UL9", b, c), S("UL9", c, b)}, {"ABC"}},
      {"a fork follows the straighter way, the branch is a second run",
       {S("UL9", a, b), S("UL9", b, c), S("UL9", c, d), S("UL9", c, side)},
       {"ABCD", "CX"}},
      {"a gap gives two runs", {S("UL9", a, b), S("UL9", d, e)}, {"AB", "DE"}},
      {"a closed loop is one run back to its start", {S("UL9", a, b), S("UL9", b, side), S("UL9", side, a)}, {"ABXA"}},
      {"two airways sharing points stay apart", {S("A1", a, b), S("B2", b, c)}, {"AB", "BC"}},
  };
  for (const ChainCase& test : cases) {
    ImportReport report;
    const std::vector<AirwayRun> runs = ChainAirways(test.segments, report, "awy.dat");
    std::vector<std::string> got;
    for (const AirwayRun& run : runs) {
      got.push_back(Names(run));
      EXPECT_EQ(run.legs.size() + 1, run.points.size()) << test.what;
    }
    EXPECT_EQ(got, test.expectedRuns) << test.what;
    // Every distinct segment is used exactly once.
    std::multiset<std::string> expected;
    for (const AirwaySegment& segment : test.segments) {
      std::string pair = segment.from.ident + segment.to.ident;
      std::sort(pair.begin(), pair.end());
      expected.insert(segment.airwayName + ":" + pair);
    }
    const std::set<std::string> distinct(expected.begin(), expected.end());
    EXPECT_EQ(SegmentsOf(runs), std::multiset<std::string>(distinct.begin(), distinct.end())) << test.what;
  }
}

TEST(AirwayChain, LevelsAndPointIdentity) {
  const AirwayPoint a = P('A', 50.0), b = P('B', 50.1), c = P('C', 50.2);
  // The same ident far away is another point: A-B and B'-C do not join.
  const AirwayPoint farB = P('B', 10.0, 100.0);
  ImportReport report;
  const std::vector<AirwayRun> runs =
      ChainAirways({S("UN1", a, b, AirwayLevel::kLow), S("UN1", b, a, AirwayLevel::kHigh),
                    S("UN1", b, c, AirwayLevel::kHigh), S("UN1", farB, c, AirwayLevel::kLow), S("UN1", c, c)},
                   report, "awy.dat");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(Names(runs[0]), "ABCB");
  ASSERT_EQ(runs[0].legs.size(), 3u);
  EXPECT_EQ(runs[0].legs[0].level, AirwayLevel::kBoth);
  EXPECT_EQ(runs[0].legs[1].level, AirwayLevel::kHigh);
  EXPECT_EQ(runs[0].legs[2].level, AirwayLevel::kLow);
  EXPECT_EQ(runs[0].points[3].latitudeDeg, 10.0);
  // The segment from C to itself cannot be drawn and is reported.
  EXPECT_EQ(report.DropCount("awy.dat", "airway segment from a point to itself"), 1u);
}

std::vector<AirwayRun> RunsNamed(const std::vector<std::string>& names) {
  std::vector<AirwayRun> runs;
  for (std::size_t index = 0; index < names.size(); ++index) {
    runs.push_back(AirwayRun{names[index], {P('A', 50.0 + static_cast<double>(index))}, {}});
  }
  return runs;
}

TEST(AirwayChain, RunsOfOneNameNeverStandTogether) {
  const std::vector<std::vector<std::string>> cases = {
      {"A1", "A1", "A1", "B2", "B2", "C3"}, {"A1", "A1", "B2"}, {"A1", "B2", "B2", "B2", "C3"}, {"A1"}, {},
  };
  for (const auto& names : cases) {
    std::vector<AirwayRun> runs = RunsNamed(names);
    ASSERT_TRUE(OrderRunsApart(runs));
    ASSERT_EQ(runs.size(), names.size());
    std::multiset<std::string> before(names.begin(), names.end());
    std::multiset<std::string> after;
    for (std::size_t index = 0; index < runs.size(); ++index) {
      after.insert(runs[index].airwayName);
      if (index > 0) {
        EXPECT_NE(runs[index].airwayName, runs[index - 1].airwayName);
      }
    }
    EXPECT_EQ(before, after);
  }
  // The runs of one name keep their own order (the latitude tells the original position).
  std::vector<AirwayRun> runs = RunsNamed({"A1", "A1", "A1", "B2", "B2", "C3"});
  ASSERT_TRUE(OrderRunsApart(runs));
  double lastA = -1.0;
  for (const AirwayRun& run : runs) {
    if (run.airwayName == "A1") {
      EXPECT_GT(run.points[0].latitudeDeg, lastA);
      lastA = run.points[0].latitudeDeg;
    }
  }
  // Three runs of one name and one other cannot be kept apart.
  std::vector<AirwayRun> impossible = RunsNamed({"A1", "A1", "A1", "B2"});
  EXPECT_FALSE(OrderRunsApart(impossible));
  EXPECT_EQ(impossible[0].airwayName, "A1");
  EXPECT_EQ(impossible[3].airwayName, "B2");
}

}  // namespace
}  // namespace corvane::navimport
