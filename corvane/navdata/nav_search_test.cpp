// Search by name start: order, limit, list lines, distances, and picking a line.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "corvane/navdata/nav_database_load.h"
#include "corvane/navdata/nav_search.h"
#include "corvane/navdata/test_data_folder.h"
#include "corvane/navdata/test_rows.h"

namespace corvane::navdata {
namespace {

using testing::AirportLine;
using testing::BeaconLine;
using testing::FixLine;
using testing::TestDataFolder;

// The same line through printf in the "C" locale, the reference the list format is defined by.
std::string PrintfLine(const char* name, float latitude, float longitude, float distanceNm) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, "%5s   %4.8f   %4.8f   %5.0f", name, static_cast<double>(latitude),
                static_cast<double>(longitude), static_cast<double>(distanceNm));
  return buffer;
}

NavDatabase LoadDatabase(const TestDataFolder& folder) {
  NavDatabase database;
  LoadNavDatabase(database, folder.path(), DatabaseSource::kXPlane);
  return database;
}

class NavSearch : public ::testing::Test {
 protected:
  NavSearch() {
    folder_.Write("NAVvor.dat", {BeaconLine("SPY", "52.540000", "4.853333", "113.30"),
                                 BeaconLine("PAM", "52.333333", "5.091667", "117.80")});
    folder_.Write("NAVndb.dat", {BeaconLine("SPR", "-1.500000", "-0.250000", "387.00")});
    folder_.Write("NAVapt.dat", {AirportLine("SPAR", "10.0", "20.0", "1", "SPARTA"),
                                 AirportLine("EHAM", "52.308613", "4.763889", "-11", "SPLENDID")});
    folder_.Write("NAVwpt.dat", {FixLine("SPOTS", "51.0", "3.0"), FixLine("SP", "50.0", "2.0")});
    std::string airways;
    for (int i = 0; i < 19; ++i) airways += "header\r\n";
    airways += "1,SP1 x,1,AAA,40.0,1.0,1,H\r\n1,SP1 x,2,BBB,41.0,2.0,1,H\r\n1,SP1 x,3,CCC,42.0,3.0,1,H\r\n";
    folder_.WriteRaw("NAVawy.dat", airways);
    database_ = LoadDatabase(folder_);
  }

  TestDataFolder folder_;
  NavDatabase database_;
  SearchResultTable results_;
};

TEST_F(NavSearch, ListsBeaconsThenAirportsThenFixesThenAirwaySegments) {
  const std::vector<std::string> lines = SearchNavDatabase(database_, "SP", 52.0, 5.0, results_);
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines.front(), "Name    Lat                  Lon                   Dist");
  const std::vector<std::string> names = {"SPY", "SPR", "SPAR ", "SPOTS ", "SP    ", "SP1 ", "SP1 "};
  for (std::size_t k = 1; k <= names.size(); ++k) EXPECT_EQ(results_.rows[k].name, names[k - 1]) << k;
  EXPECT_EQ(lines[1], PrintfLine("SPY", 52.54f, 4.853333f, results_.rows[1].distanceNm));
  // One line per airway segment, at the segment's start point.
  EXPECT_FLOAT_EQ(results_.rows[6].latitude, 40.0f);
  EXPECT_FLOAT_EQ(results_.rows[7].latitude, 41.0f);
  EXPECT_EQ(lines.back(), " ");
  // The airport name is not searched.
  EXPECT_EQ(SearchNavDatabase(database_, "SPL", 52.0, 5.0, results_).size(), 2u);
}

TEST(SearchQuery, UpperCasesOnlyLettersAToZ) {
  // Names in the data are upper-case ASCII; other bytes (digits, blanks, UTF-8) must pass unchanged.
  EXPECT_EQ(UpperCaseQuery("spy "), "SPY ");
  EXPECT_EQ(UpperCaseQuery("ul602"), "UL602");
  EXPECT_EQ(UpperCaseQuery("k\xc3\xb6ln{|}"), "K\xc3\xb6LN{|}");
}

TEST_F(NavSearch, ATrailingBlankMatchesAWholeIdent) {
  SearchNavDatabase(database_, "SP ", 52.0, 5.0, results_);
  EXPECT_EQ(results_.rows[1].name, "SP    ");
  EXPECT_EQ(results_.rows[2].name, " ");
}

TEST(SearchResultLine, MatchesPrintfForEveryKindOfValue) {
  struct Case {
    const char* name;
    float latitude;
    float longitude;
    float distanceNm;
  };
  const std::vector<Case> cases = {
      {"SPY", 52.54f, 4.853333f, 12.5f},       {"EHAM ", 52.308613f, 4.763889f, 13.5f},
      {"ARTIP ", -0.25f, -179.999f, 10800.4f}, {"LONGNAME ", 0.0f, 0.0f, 0.0f},
      {"X", -89.99999f, 180.0f, 99999.6f},     {"", 1e-9f, -1e-9f, 0.49f},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SearchResultLine(c.name, c.latitude, c.longitude, c.distanceNm),
              PrintfLine(c.name, c.latitude, c.longitude, c.distanceNm));
  }
}

TEST(SearchDistance, IsFlatEarthFromTheMapCentreWithTheMeanCosine) {
  NavDatabase database;
  TestDataFolder folder;
  folder.Write("NAVwpt.dat",
               {FixLine("NORTH", "1.0", "0.0"), FixLine("EASTX", "0.0", "1.0"), FixLine("HIGHX", "60.0", "10.0")});
  database = LoadDatabase(folder);
  SearchResultTable results;
  SearchNavDatabase(database, "NORTH", 0.0, 0.0, results);
  EXPECT_NEAR(results.rows[1].distanceNm, 60.0, 1e-4);
  SearchNavDatabase(database, "EASTX", 0.0, 0.0, results);
  EXPECT_NEAR(results.rows[1].distanceNm, 60.0, 1e-4);
  // From 60N 0E: dx = 10 * (cos 60 + cos 60) / 2 = 5 degrees.
  SearchNavDatabase(database, "HIGHX", 60.0, 0.0, results);
  EXPECT_NEAR(results.rows[1].distanceNm, 300.0, 1e-3);
}

TEST(SearchLimit, StopsAt97MatchesAndSaysSo) {
  struct Case {
    int candidates;
    std::size_t listed;
    const char* lastLine;
  };
  const std::vector<Case> cases = {{96, 96, " "}, {97, 97, "To many results"}, {150, 97, "To many results"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.candidates);
    TestDataFolder folder;
    std::string fixes;
    for (int i = 0; i < c.candidates; ++i) {
      fixes += FixLine("Q" + std::to_string(1000 + i), "10.0", std::to_string(1 + i)) + "\r\n";
    }
    folder.WriteRaw("NAVwpt.dat", fixes);
    const NavDatabase database = LoadDatabase(folder);
    SearchResultTable results;
    const std::vector<std::string> lines = SearchNavDatabase(database, "Q1", 0.0, 0.0, results);
    ASSERT_EQ(lines.size(), c.listed + 2);
    EXPECT_EQ(lines.back(), c.lastLine);
    EXPECT_EQ(results.rows[c.listed].name, "Q" + std::to_string(1000 + c.listed - 1) + " ");
    EXPECT_EQ(results.rows[c.listed + 1].name, " ");
  }
}

TEST_F(NavSearch, PickingALineGivesItsMatchOnlyAndANewSearchForgetsOldRows) {
  SearchNavDatabase(database_, "SP", 52.0, 5.0, results_);
  ASSERT_TRUE(SearchResultAt(results_, 1).has_value());
  EXPECT_DOUBLE_EQ(SearchResultAt(results_, 1)->latitude, static_cast<double>(52.54f));
  EXPECT_FALSE(SearchResultAt(results_, 0).has_value());  // the header
  EXPECT_FALSE(SearchResultAt(results_, 8).has_value());  // the closing line
  EXPECT_FALSE(SearchResultAt(results_, 500).has_value());

  // A shorter list after a longer one: the line after its matches must not lead to an old match.
  SearchNavDatabase(database_, "PA", 52.0, 5.0, results_);
  EXPECT_TRUE(SearchResultAt(results_, 1).has_value());
  EXPECT_FALSE(SearchResultAt(results_, 2).has_value());
  ResetSearchResults(results_);
  EXPECT_FALSE(SearchResultAt(results_, 1).has_value());
}

}  // namespace
}  // namespace corvane::navdata
