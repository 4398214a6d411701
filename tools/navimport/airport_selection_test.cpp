// The capacity cut of the airport table: rank, limits, duplicates and idents that do not fit.
#include "tools/navimport/airport_selection.h"

#include <gtest/gtest.h>

namespace corvane::navimport {
namespace {

SourceAirport Airport(const std::string& ident, double longestRunwayM, std::size_t lineNumber) {
  SourceAirport airport;
  airport.ident = ident;
  airport.longestRunwayM = longestRunwayM;
  airport.lineNumber = lineNumber;
  airport.latitudeDeg = 50.0;
  airport.longitudeDeg = 5.0;
  return airport;
}

std::vector<std::string> Idents(const std::vector<SourceAirport>& airports) {
  std::vector<std::string> idents;
  for (const SourceAirport& airport : airports) {
    idents.push_back(airport.ident);
  }
  return idents;
}

struct SelectionCase {
  const char* what;
  std::size_t limit;
  std::vector<SourceAirport> airports;
  std::vector<std::string> kept;  // sorted by ident
};

TEST(AirportSelection, KeepsIcaoIdentsThenLongestRunways) {
  const std::vector<SelectionCase> cases = {
      {"room for all: everything kept, sorted by ident",
       10,
       {Airport("EHAM", 3800, 10), Airport("00AK", 500, 20), Airport("K00", 900, 30)},
       {"00AK", "EHAM", "K00"}},
      {"a short ICAO airport beats a long local one",
       1,
       {Airport("1B1", 4000, 10), Airport("EHLE", 1200, 20)},
       {"EHLE"}},
      {"among local idents the longer runway wins",
       2,
       {Airport("EGLL", 3900, 10), Airport("0A1", 300, 20), Airport("S43", 1200, 30), Airport("00AK", 800, 40)},
       {"EGLL", "S43"}},
      {"equal rank keeps file order", 1, {Airport("EBAA", 1000, 10), Airport("EBAB", 1000, 20)}, {"EBAA"}},
      {"idents of 5 characters or none are left out",
       5,
       {Airport("CYXU1", 3000, 10), Airport("", 3000, 20), Airport("BIKF", 3000, 30)},
       {"BIKF"}},
      {"a repeated ident keeps the higher-ranked airport",
       5,
       {Airport("LFXX", 800, 10), Airport("LFXX", 2500, 20)},
       {"LFXX"}},
      {"limit 0 keeps none", 0, {Airport("EHAM", 3800, 10)}, {}},
  };
  for (const SelectionCase& test : cases) {
    ImportReport report;
    const std::vector<SourceAirport> kept = SelectAirports(test.airports, test.limit, report, "apt.dat");
    EXPECT_EQ(Idents(kept), test.kept) << test.what;
    // Every airport not kept is listed with a reason.
    EXPECT_EQ(report.drops().size() + kept.size(), test.airports.size()) << test.what;
  }
}

TEST(AirportSelection, ReportsWhyEachAirportIsLeftOut) {
  ImportReport report;
  const std::vector<SourceAirport> kept =
      SelectAirports({Airport("EHAM", 3800, 11), Airport("LFXX", 800, 12), Airport("LFXX", 2500, 13),
                      Airport("ABCDE", 900, 14), Airport("K00", 100, 15)},
                     2, report, "apt.dat");
  EXPECT_EQ(Idents(kept), (std::vector<std::string>{"EHAM", "LFXX"}));
  EXPECT_EQ(kept[1].lineNumber, 13u);
  ASSERT_EQ(report.drops().size(), 3u);
  EXPECT_EQ(report.DropCount("apt.dat", "ident already used by a higher-ranked airport"), 1u);
  EXPECT_EQ(report.DropCount("apt.dat", "ident is not 1 to 4 characters"), 1u);
  EXPECT_EQ(report.DropCount("apt.dat", "over the airport table's capacity (lowest rank)"), 1u);
  const std::string text = report.FullText();
  EXPECT_NE(text.find("apt.dat:15: over the airport table's capacity (lowest rank): K00, longest runway 100 m"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("apt.dat:14: ident is not 1 to 4 characters: ABCDE"), std::string::npos) << text;
}

TEST(AirportSelection, IcaoIdent) {
  EXPECT_TRUE(IsIcaoIdent("EHAM"));
  EXPECT_FALSE(IsIcaoIdent("00AK"));
  EXPECT_FALSE(IsIcaoIdent("K00"));
  EXPECT_FALSE(IsIcaoIdent("eham"));
  EXPECT_FALSE(IsIcaoIdent("EHAMX"));
}

}  // namespace
}  // namespace corvane::navimport
