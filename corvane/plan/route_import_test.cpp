// Route import on the demo data (EHAM to BIKF and around it), and on small made-up airways for the limits.
#include "corvane/plan/route_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "corvane/navdata/nav_database_load.h"

namespace corvane::plan {
namespace {

using navdata::NavDatabase;

std::filesystem::path DemoFolder() {
  const char* source = std::getenv("CORVANE_SOURCE_DIR");
  return std::filesystem::path(source != nullptr ? source : ".") / "data" / "demo";
}

std::vector<std::string> Idents(const FlightPlan& plan) {
  std::vector<std::string> idents;
  for (std::int32_t i = 0; i < plan.tail; ++i) idents.push_back(plan[i].ident);
  return idents;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class RouteImportDemo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!std::filesystem::exists(DemoFolder() / "NAVawy.dat")) return;
    database_ = new NavDatabase;
    navdata::LoadNavDatabase(*database_, DemoFolder(), navdata::DatabaseSource::kXPlane);
  }
  static void TearDownTestSuite() {
    delete database_;
    database_ = nullptr;
  }
  void SetUp() override {
    if (database_ == nullptr) GTEST_SKIP() << "no demo data";
  }

  static NavDatabase* database_;
  std::unique_ptr<FlightPlan> plan_ = std::make_unique<FlightPlan>();
};
NavDatabase* RouteImportDemo::database_ = nullptr;

TEST_F(RouteImportDemo, DefaultRouteWalksEveryAirway) {
  const RouteImportOutcome outcome = ImportRoute(*plan_, *database_, kDefaultRoute, "33000", "320");

  // SPY is found among the beacons by its trimmed ident; MY, AB, SUM and ING are beacons on the airways.
  EXPECT_EQ(Idents(*plan_),
            (std::vector<std::string>{"EHAM ",  "SPY",    "LONAM ", "VENAS ", "GOLVO ", "PELET ", "ASKAM ",
                                      "CUTEL ", "ODMIX ", "FORTY ", "SUM",    "SIDER ", "AB",     "MY",
                                      "LINDA ", "ROSTI ", "ING",    "MIKLA ", "SKARD ", "BIKF "}));
  EXPECT_TRUE(outcome.routeSet);
  EXPECT_EQ(outcome.status, "Route set!!");
  EXPECT_FALSE(outcome.messageTitle);
  EXPECT_EQ(outcome.departure, "EHAM ");
  EXPECT_EQ(outcome.arrival, "BIKF ");
  EXPECT_EQ(plan_->insertIndex, 1);
  EXPECT_EQ((*plan_)[19].altitude, 33000);
  EXPECT_EQ((*plan_)[19].legNm, LegNm(*plan_, 18, 19));
  ASSERT_GE(outcome.memoLines.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(outcome.memoLines.begin(), outcome.memoLines.begin() + 3),
            (std::vector<std::string>{"EHAM ", "EHAM - SID - SPY ", "EHAM SID SPY "}));
  EXPECT_EQ(outcome.memoLines.back(), "BIKF ");
  // UM125's first segment at SUM points back to ORVIK and ZOL, a dead end; the second attempt skips it.
  const auto um125 = std::find(outcome.memoLines.begin(), outcome.memoLines.end(), "SUM - UM125 - SIDER ");
  ASSERT_NE(um125, outcome.memoLines.end());
  EXPECT_EQ(std::vector<std::string>(um125 + 1, um125 + 4),
            (std::vector<std::string>{"- ORVIK - UM125 ", "- ZOL - UM125 ", "- SIDER - UM125 "}));
}

struct RouteCase {
  const char* route;
  std::vector<std::string> idents;
  std::optional<std::string> status;
  std::optional<std::string> title;
  std::vector<std::string> memoHas = {};
};

TEST_F(RouteImportDemo, LegsAndFailures) {
  const RouteCase cases[] = {
      {"EHAM DCT SPY DCT SUM DCT MY DCT BIKF", {"EHAM ", "SPY", "SUM", "MY", "BIKF "}, "Route set!!", {}},
      // SIDER is not on UL7: six attempts, then direct from the last point walked.
      {"EHAM SID SPY UL7 SIDER STAR BIKF",
       {"EHAM ", "SPY", "SIDER ", "BIKF "},
       "Route set!!",
       {},
       {"- SUM - UL7 ", "- PAM - UL7 ", "SPY DCT SIDER "}},
      // DIDAM on UL603 lies more than 2 nm from every fix and beacon of the demo data.
      {"EHAM DCT SUPAM UL603 TEBRO STAR EDDL",
       {"EHAM ", "SUPAM ", "ARNEM ", "FIX", "TEBRO ", "EDDL "},
       "Route set!!",
       {},
       {"- DIDAM - UL603 "}},
      // An airway leg whose direct fallback fails too is reported and the import goes on.
      {"EHAM SID SPY UL7 NOWHR DCT SUM", {"EHAM ", "SPY", "SUM"}, "Route set!!", {}, {"SPY DCT NOWHR "}},
      {"EHAM SID SPY UL7 NOWHR", {"EHAM ", "SPY"}, "NOWHR NOT found!!", "Error09"},
      {"XXXX DCT SPY", {}, "XXXX not found!! Can NOT create route!!", "Error"},
      {"EHAM DCT NOWHR DCT SPY", {"EHAM "}, "NOWHR not found!!", "Error07"},
      // A token without its pair, short or long.
      {"EHAM DCT SPY UL7", {"EHAM ", "SPY"}, {}, "Error01"},
      {"EHAM DCT SPY SKARDS", {"EHAM ", "SPY"}, {}, "Error01"},
      // A pasted route: blanks after the last pair, tabs and a line end around it.
      {"EHAM DCT SPY      ", {"EHAM ", "SPY"}, "Route set!!", {}},
      {" \tEHAM DCT SPY\tDCT SUM \r\n", {"EHAM ", "SPY", "SUM"}, "Route set!!", {}},
  };
  for (const RouteCase& c : cases) {
    SCOPED_TRACE(c.route);
    const RouteImportOutcome outcome = ImportRoute(*plan_, *database_, c.route, "33000", "320");
    EXPECT_EQ(Idents(*plan_), c.idents);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.messageTitle, c.title);
    EXPECT_EQ(outcome.routeSet, c.status == "Route set!!");
    for (const std::string& line : c.memoHas) EXPECT_TRUE(Contains(outcome.memoLines, line)) << line;
  }
}

TEST_F(RouteImportDemo, CruiseFieldThatIsNotANumberImportsNothing) {
  const RouteImportOutcome outcome = ImportRoute(*plan_, *database_, "EHAM DCT SPY", "33000", "fast");
  EXPECT_EQ(outcome.errorMessage, "'fast' is not a valid integer value");
  EXPECT_EQ(plan_->tail, 0);
  EXPECT_TRUE(outcome.memoLines.empty());
}

// A made-up world around 10N 10E: the airport AAAA, fixes, and airways that run north point by point.
class MadeUpWorld {
 public:
  MadeUpWorld() { Airport("AAAA ", 10.0f, 10.0f); }

  void Airport(const std::string& ident, float lat, float lon) {
    navdata::AirportRow row{lat, lon, ident, "100", "MADE UP"};
    Append(database_->airports, std::move(row));
  }
  void Fix(const std::string& ident, float lat, float lon) {
    Append(database_->fixes, navdata::FixRow{lat, lon, ident});
  }
  // segments rows from `from` (at lat, lon) to "<prefix>1 " ... "<prefix><segments> ", 0.01 degrees apart.
  void Airway(const std::string& name, const std::string& from, float lat, float lon, int segments,
              const std::string& prefix) {
    std::string fromIdent = from;
    for (int k = 1; k <= segments; ++k) {
      navdata::AirwaySegmentRow row{lat, lon, lat + 0.01f, lon, name, fromIdent, prefix + std::to_string(k) + " "};
      fromIdent = row.toIdent;
      lat += 0.01f;
      Append(database_->airwaySegments, std::move(row));
    }
  }
  const NavDatabase& database() const { return *database_; }

 private:
  template <typename Table, typename Row>
  static void Append(Table& table, Row&& row) {
    table.OpenForAppend(1);
    table.Append(std::forward<Row>(row));
    table.Close();
  }
  std::unique_ptr<NavDatabase> database_ = std::make_unique<NavDatabase>();
};

TEST(RouteImportLimits, WalkBufferUsedRowsAndPlanCapacity) {
  struct LimitCase {
    const char* what;
    std::function<void(MadeUpWorld&)> build;
    const char* route;
    std::int32_t tail;
    std::optional<std::string> title;
    std::string memoHas;
  };
  const LimitCase cases[] = {
      {"498 airway points fill the plan to its last entry",
       [](MadeUpWorld& w) { w.Airway("A1 ", "AAAA ", 10.0f, 10.0f, 498, "P"); },
       "AAAA A1 P498",
       499,
       {},
       "- P498 - A1 "},
      {"499 airway points do not fit", [](MadeUpWorld& w) { w.Airway("A1 ", "AAAA ", 10.0f, 10.0f, 499, "P"); },
       "AAAA A1 P499", 499, "Plan full", "- P499 - A1 "},
      {"a walk of 501 points overfills the walk buffer and goes direct",
       [](MadeUpWorld& w) {
         w.Airway("A1 ", "AAAA ", 10.0f, 10.0f, 501, "P");
         w.Fix("P501  ", 15.01f, 10.0f);
       },
       "AAAA A1 P501",
       2,
       {},
       "AAAA DCT P501 "},
      // Two failed legs use 500 segments each; the used list is full for the third, which goes direct.
      {"the used segments of all legs count against one list",
       [](MadeUpWorld& w) {
         w.Airway("B1 ", "AAAA ", 10.0f, 10.0f, 600, "Q");
         w.Airway("C1 ", "ZZ1 ", 9.9f, 10.0f, 600, "R");
         w.Airway("D1 ", "ZZ2 ", 9.8f, 10.0f, 1, "ZZ");
         for (int k = 1; k <= 3; ++k) w.Fix("ZZ" + std::to_string(k) + "   ", 10.0f - 0.1f * float(k), 10.0f);
       },
       "AAAA B1 ZZ1 C1 ZZ2 D1 ZZ1",
       4,
       {},
       "ZZ2 DCT ZZ1 "},
  };
  for (const LimitCase& c : cases) {
    SCOPED_TRACE(c.what);
    MadeUpWorld world;
    c.build(world);
    auto plan = std::make_unique<FlightPlan>();
    const RouteImportOutcome outcome = ImportRoute(*plan, world.database(), c.route, "33000", "320");
    EXPECT_EQ(plan->tail, c.tail);
    EXPECT_EQ(outcome.messageTitle, c.title);
    EXPECT_TRUE(Contains(outcome.memoLines, c.memoHas));
  }
}

}  // namespace
}  // namespace corvane::plan
